#include "gui/carried_marks.h"

#include <QStringList>

#include "gui/number_text.h"
#include "run/surface_marks.h"

namespace passcat {
namespace {

QString MarkText(const SurfaceMark& mark, char separator)
{
    return QStringLiteral("прежний блок %1, %2–%3 км, покрытие %4")
        .arg(mark.block)
        .arg(ShownNumber(PutThreeDecimals, mark.fromKm, separator), ShownNumber(PutThreeDecimals, mark.toKm, separator),
             ShownNumber(PutPlainDouble, mark.surface, separator));
}

} // namespace

QString CarrySurfaceMarks(const RunResult& marked, const RunResult& original, const RunResult& after,
                          QUndoStack& changes, const SurfaceChange::PutBlock& put)
{
    const std::vector<SurfaceMark> marks = SurfaceMarks(marked, original);
    if (marks.empty())
        return {};
    const CarriedMarks carried = CarryMarks(marks, original, after);
    QStringList lost, cut, unrated;
    if (!carried.segments.empty())
        changes.beginMacro(QStringLiteral("перенос покрытий после пересчёта"));
    for (std::size_t k = 0; k < carried.segments.size();) {
        const std::size_t row = carried.segments[k].block;
        std::optional<RunBlock> block = after.blocks[row];
        for (; k < carried.segments.size() && carried.segments[k].block == row; ++k) {
            const SegmentSurfaces& segments = carried.segments[k];
            if (block)
                block = WithSurface(*block, segments.firstSegment, segments.lastSegment, segments.surface, after.evaluation);
        }
        if (block)
            changes.push(new SurfaceChange(static_cast<int>(row), after.blocks[row], std::move(*block), put));
        else
            unrated << QString::number(after.blocks[row].number);
    }
    if (!carried.segments.empty())
        changes.endMacro();
    const char separator = after.evaluation.format.decimalSeparator;
    for (std::size_t k = 0; k < marks.size(); ++k) {
        if (carried.fates[k] == CarriedMarks::Fate::Lost)
            lost << MarkText(marks[k], separator);
        else if (carried.fates[k] == CarriedMarks::Fate::Cut)
            cut << MarkText(marks[k], separator);
    }
    QString text = QStringLiteral("Отмеченные покрытия перенесены по расстоянию вдоль трека: %1 из %2")
                       .arg(marks.size() - static_cast<std::size_t>(lost.size()))
                       .arg(marks.size());
    if (!lost.isEmpty())
        text += QStringLiteral("\nНе перенесены (этого участка нет в новых подъёмах): ") + lost.join(QStringLiteral("; "));
    if (!cut.isEmpty())
        text += QStringLiteral("\nПеренесены частично (участок короче прежнего): ") + cut.join(QStringLiteral("; "));
    if (!unrated.isEmpty())
        text += QStringLiteral("\nС перенесёнными покрытиями не рассчитываются блоки %1; у них покрытия по умолчанию")
                    .arg(unrated.join(QStringLiteral(", ")));
    return text;
}

} // namespace passcat
