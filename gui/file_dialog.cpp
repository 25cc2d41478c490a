#include "gui/file_dialog.h"

#include <QFileDialog>

namespace passcat {

QString NativeFileDialog::askOpenFileName(QWidget* parent, const QString& filter)
{
    // No caption and no start folder: the dialog opens where the platform chooses.
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

} // namespace passcat
