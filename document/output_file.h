#pragma once

#include <QString>

#include <optional>
#include <string_view>

namespace passcat {

// "Ошибка: не удалось записать <what> <path> (<cause>)", what being e.g. "таблицу".
QString OutputFailure(const QString& what, const QString& path, const QString& cause);

// Writes bytes to path through a temporary file that replaces an older one only once
// complete, as the report is written; the message of a failure, if any.
std::optional<QString> WriteOutputFile(const QString& what, const QString& path, std::string_view bytes);

} // namespace passcat
