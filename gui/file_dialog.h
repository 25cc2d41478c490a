#pragma once

#include <QString>

class QWidget;

namespace passcat {

// Asks the user for a file to open or to save.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen path, or an empty string when the user chose nothing.
    virtual QString askOpenFileName(QWidget* parent, const QString& filter) = 0;
    // The same for a file to write, starting from suggestedName; filters are separated
    // by ";;", and selectedFilter comes back as the one chosen.
    virtual QString askSaveFileName(QWidget* parent, const QString& suggestedName, const QString& filters,
                                    QString& selectedFilter) = 0;
    // A folder to write into, starting from startFolder; empty when none was chosen.
    virtual QString askFolder(QWidget* parent, const QString& startFolder) = 0;
};

// The platform's own open-file dialog where it has one.
class NativeFileDialog final : public FileDialog {
public:
    QString askOpenFileName(QWidget* parent, const QString& filter) override;
    QString askSaveFileName(QWidget* parent, const QString& suggestedName, const QString& filters,
                            QString& selectedFilter) override;
    QString askFolder(QWidget* parent, const QString& startFolder) override;
};

} // namespace passcat
