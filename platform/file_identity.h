#pragma once

#include <QString>

namespace passcat {

// True when both paths name one and the same existing file, however they are
// spelled: through "..", symbolic links or hard links. False when either is missing
// or is a character device (a terminal, /dev/null), which takes reads and writes at once.
bool SameExistingFile(const QString& first, const QString& second);

// The same for a standard stream (0 input, 1 output) and a path, or two streams:
// true when both are one file, as with "passcat-cli - -o in.txt < in.txt".
bool SameExistingFile(int descriptor, const QString& path);
bool SameExistingFile(int first, int second);

} // namespace passcat
