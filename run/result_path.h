#pragma once

#include <QString>

namespace passcat {

// The result file offered for an input: rez.txt in the input's folder, that is the
// input path up to its last separator followed by "rez.txt".
QString DefaultResultPath(const QString& inputPath);

} // namespace passcat
