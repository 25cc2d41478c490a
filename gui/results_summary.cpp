#include "gui/results_summary.h"

#include "run/block_chart.h"

namespace passcat {

QString ResultsSummary(const RunResult& run)
{
    std::size_t accepted = 0;
    const RunBlock* highest = nullptr;
    for (const RunBlock& block : run.blocks) {
        if (block.summary.rejection)
            continue;
        ++accepted;
        if (!highest || block.summary.category > highest->summary.category)
            highest = &block;
    }
    QString text = QStringLiteral("Блоков: %1, принято: %2, отклонено: %3")
                       .arg(run.blocks.size())
                       .arg(accepted)
                       .arg(run.blocks.size() - accepted);
    if (highest) {
        text += QStringLiteral("; наивысшая категория %1: блок %2 «%3»")
                    .arg(highest->summary.category)
                    .arg(highest->number)
                    .arg(QString::fromStdString(TitleInUtf8(highest->summary.title)));
    }
    for (const RunMessage& message : run.messages) {
        if (message.kind == RunMessage::Kind::NoClimbs)
            text += u'\n' + message.text;
    }
    return text;
}

} // namespace passcat
