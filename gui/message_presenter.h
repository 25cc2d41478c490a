#pragma once

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

namespace passcat {

enum class MessageIcon {
    None,
    Information, // something the user should know that is no fault
    Critical,
};

// What the user does with surface marks not saved yet.
enum class UnsavedMarks { Save, Discard, Cancel };

// Shows a message to the user and returns once it has been confirmed.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void present(QWidget* parent, const QString& text, MessageIcon icon) = 0;
    // Asks what to do with the marks before they would be lost: "Сохранить профиль",
    // "Не сохранять" or "Отмена".
    virtual UnsavedMarks askUnsavedMarks(QWidget* parent, const QString& text) = 0;
};

// A modal message box with one OK button. It has no title of its own, so the
// platform shows the application's name on it.
class MessageBoxPresenter final : public MessagePresenter {
public:
    void present(QWidget* parent, const QString& text, MessageIcon icon) override;
    UnsavedMarks askUnsavedMarks(QWidget* parent, const QString& text) override;
};

// The box that MessageBoxPresenter shows, not yet shown.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const QString& text, MessageIcon icon);

} // namespace passcat
