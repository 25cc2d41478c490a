#include "document/output_target.h"

#include "platform/file_identity.h"

namespace passcat {
namespace {

constexpr int kStandardInput = 0;
constexpr int kStandardOutput = 1;

QString Matches(const QString& what)
{
    return QStringLiteral("совпадает ") + what;
}

} // namespace

std::optional<QString> OutputTargetConflict(const QString& target, const RunInput& input, const RunSettings& settings,
                                            const std::vector<WrittenOutput>& earlier)
{
    if (input.kind == RunInput::Kind::StandardInput ? SameExistingFile(kStandardInput, target)
                                                    : SameExistingFile(input.path, target))
        return Matches(QStringLiteral("с файлом данных"));
    if (settings.resultIsStandardOutput ? SameExistingFile(kStandardOutput, target)
                                        : SameExistingFile(settings.resultPath, target))
        return Matches(QStringLiteral("с файлом результата"));
    const QString& profile = input.track.writeProfilePath;
    if (!profile.isEmpty() && SameExistingFile(profile, target))
        return Matches(QStringLiteral("с записанным профилем"));
    for (const WrittenOutput& output : earlier) {
        if (SameExistingFile(output.path, target))
            return Matches(output.name);
    }
    return std::nullopt;
}

} // namespace passcat
