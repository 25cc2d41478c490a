#include "document/output_file.h"

#include "platform/native_path.h"
#include "platform/safe_result_file.h"

namespace passcat {

QString OutputFailure(const QString& what, const QString& path, const QString& cause)
{
    return QStringLiteral("Ошибка: не удалось записать %1 %2 (%3)").arg(what, DisplayPath(path), cause);
}

std::optional<QString> WriteOutputFile(const QString& what, const QString& path, std::string_view bytes)
{
    SafeResultFile file(path);
    if (file.open()) {
        file.writeText(bytes);
        if (file.commit())
            return std::nullopt;
    }
    return OutputFailure(what, path, file.errorString());
}

} // namespace passcat
