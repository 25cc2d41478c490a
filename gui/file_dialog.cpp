#include "gui/file_dialog.h"

#include <QFileDialog>

namespace passcat {

QString NativeFileDialog::askOpenFileName(QWidget* parent, const QString& filter)
{
    // No caption and no start folder: the dialog opens where the platform chooses.
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString NativeFileDialog::askSaveFileName(QWidget* parent, const QString& suggestedName, const QString& filters,
                                          QString& selectedFilter)
{
    // The dialog asks before it replaces an existing file.
    return QFileDialog::getSaveFileName(parent, QString(), suggestedName, filters, &selectedFilter);
}

QString NativeFileDialog::askFolder(QWidget* parent, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, QString(), startFolder);
}

} // namespace passcat
