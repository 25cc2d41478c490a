#include "gui/program_icon.h"

namespace passcat {

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/passcat-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace passcat
