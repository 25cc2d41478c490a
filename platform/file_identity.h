#pragma once

#include <QString>

namespace passcat {

// True when both paths name one and the same existing file, however they are
// spelled: through "..", symbolic links or hard links. False when either is missing.
bool SameExistingFile(const QString& first, const QString& second);

} // namespace passcat
