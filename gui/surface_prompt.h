#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QPushButton;
class QWidget;

namespace passcat {

// A surface coefficient as the user types it: digits with at most one decimal comma or
// point; nothing for an empty, negative or lettered text.
std::optional<double> ParseSurfaceText(const QString& text);

// Asks for the surface coefficient of a stretch the user marked.
class SurfacePrompt {
public:
    virtual ~SurfacePrompt() = default;
    // used: the coefficients the block has already, as the report writes them, offered
    // to pick; the value chosen, or none when the user cancelled.
    virtual std::optional<double> askSurface(QWidget* parent, const QStringList& used) = 0;
};

// A small dialog: a box to type in or pick from, whose OK takes only a valid coefficient.
// objectNames: "SurfaceDialog", "SurfaceValue", "SurfaceOk".
class SurfaceDialog final : public QDialog {
public:
    SurfaceDialog(QWidget* parent, const QStringList& used);
    std::optional<double> value() const;

private:
    QComboBox* value_;
    QPushButton* ok_;
};

class DialogSurfacePrompt final : public SurfacePrompt {
public:
    std::optional<double> askSurface(QWidget* parent, const QStringList& used) override;
};

} // namespace passcat
