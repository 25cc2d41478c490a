#pragma once

#include <QString>

namespace passcat {

// Why a file operation failed, from the system's error number, in Russian: the
// causes a user can act on by name, every other as a general failure with its number.
QString SystemErrorText(int errorNumber);

} // namespace passcat
