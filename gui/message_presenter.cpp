#include "gui/message_presenter.h"

#include <QMessageBox>
#include <QPushButton>

namespace passcat {

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const QString& text, MessageIcon icon)
{
    const auto boxIcon = icon == MessageIcon::Critical      ? QMessageBox::Critical
                         : icon == MessageIcon::Information ? QMessageBox::Information
                                                            : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(boxIcon, QString(), text, QMessageBox::Ok, parent);
    // Plain text: a path or a title from the input must show as it is.
    box->setTextFormat(Qt::PlainText);
    return box;
}

void MessageBoxPresenter::present(QWidget* parent, const QString& text, MessageIcon icon)
{
    BuildMessageBox(parent, text, icon)->exec();
}

UnsavedMarks MessageBoxPresenter::askUnsavedMarks(QWidget* parent, const QString& text)
{
    const auto box = BuildMessageBox(parent, text, MessageIcon::None);
    box->setIcon(QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box->button(QMessageBox::Save)->setText(QStringLiteral("Сохранить профиль"));
    box->button(QMessageBox::Discard)->setText(QStringLiteral("Не сохранять"));
    box->button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box->setDefaultButton(QMessageBox::Save);
    switch (box->exec()) {
    case QMessageBox::Save:
        return UnsavedMarks::Save;
    case QMessageBox::Discard:
        return UnsavedMarks::Discard;
    default:
        return UnsavedMarks::Cancel;
    }
}

} // namespace passcat
