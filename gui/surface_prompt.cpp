#include "gui/surface_prompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace passcat {

std::optional<double> ParseSurfaceText(const QString& text)
{
    static const QRegularExpression kCoefficient(QStringLiteral("^\\d{1,9}([.,]\\d{0,9})?$"));
    if (!kCoefficient.match(text).hasMatch())
        return std::nullopt;
    return QString(text).replace(u',', u'.').toDouble();
}

SurfaceDialog::SurfaceDialog(QWidget* parent, const QStringList& used) : QDialog(parent)
{
    setObjectName(QStringLiteral("SurfaceDialog"));
    setWindowTitle(QStringLiteral("Покрытие"));
    value_ = new QComboBox;
    value_->setObjectName(QStringLiteral("SurfaceValue"));
    value_->setEditable(true);
    value_->setInsertPolicy(QComboBox::NoInsert);
    value_->addItems(used);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("SurfaceOk"));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Коэффициент покрытия:"), value_);
    layout->addRow(buttons);
    // Refused where it is typed: OK waits for a valid coefficient.
    const auto check = [this] { ok_->setEnabled(value().has_value()); };
    connect(value_, &QComboBox::currentTextChanged, this, check);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    check();
}

std::optional<double> SurfaceDialog::value() const
{
    return ParseSurfaceText(value_->currentText().trimmed());
}

std::optional<double> DialogSurfacePrompt::askSurface(QWidget* parent, const QStringList& used)
{
    SurfaceDialog dialog(parent, used);
    return dialog.exec() == QDialog::Accepted ? dialog.value() : std::nullopt;
}

} // namespace passcat
