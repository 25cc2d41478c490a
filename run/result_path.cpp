#include "run/result_path.h"

#include <algorithm>

namespace passcat {

QString DefaultResultPath(const QString& inputPath)
{
    qsizetype separator = inputPath.lastIndexOf(u'/');
#ifdef _WIN32
    separator = std::max(separator, inputPath.lastIndexOf(u'\\'));
#endif
    return inputPath.left(separator + 1) + QStringLiteral("rez.txt");
}

} // namespace passcat
