#pragma once

#include <QString>

class QWidget;

namespace passcat {

// Asks the user for a file to open.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen path, or an empty string when the user chose nothing.
    virtual QString askOpenFileName(QWidget* parent, const QString& filter) = 0;
};

// The platform's own open-file dialog where it has one.
class NativeFileDialog final : public FileDialog {
public:
    QString askOpenFileName(QWidget* parent, const QString& filter) override;
};

} // namespace passcat
