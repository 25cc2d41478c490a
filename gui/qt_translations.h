#pragma once

class QCoreApplication;

namespace passcat {

// Gives Qt's own texts (file dialogs, message-box buttons, context menus) in Russian,
// as every other text of the program is, whatever the system's language. False when
// Qt's translations are not installed: its texts then stay in English.
bool InstallQtTranslations(QCoreApplication& app);

} // namespace passcat
