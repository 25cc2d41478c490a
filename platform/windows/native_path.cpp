// Windows names are UTF-16 text, and take a backslash as well as a slash.
#include "platform/native_path.h"

#include <algorithm>

namespace passcat {

QString PathFromNative(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool FileNamesAreBytes()
{
    return false;
}

qsizetype LastPathSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}

} // namespace passcat
