#include "run/result_path.h"

#include "platform/native_path.h"

namespace passcat {

QString DefaultResultPath(const QString& inputPath)
{
    return inputPath.left(LastPathSeparator(inputPath) + 1) + QStringLiteral("rez.txt");
}

} // namespace passcat
