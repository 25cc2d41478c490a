#include "gui/message_presenter.h"

#include <QMessageBox>

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

} // namespace passcat
