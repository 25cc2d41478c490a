#include "gui/block_table_model.h"

#include <QColor>
#include <QFont>

#include "document/summary_table.h"

namespace passcat {

void BlockTableModel::setRun(RunCharts run, RunCharts original)
{
    beginResetModel();
    run_ = std::move(run);
    original_ = std::move(original);
    endResetModel();
}

void BlockTableModel::blockChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool BlockTableModel::changed(int row) const
{
    const auto k = static_cast<std::size_t>(row);
    return original_ && k < original_->blocks.size() && run_->blocks[k].rated != original_->blocks[k].rated;
}

const RunBlock* BlockTableModel::blockAt(int row) const
{
    if (!run_ || row < 0 || static_cast<std::size_t>(row) >= run_->blocks.size())
        return nullptr;
    return &run_->blocks[static_cast<std::size_t>(row)];
}

int BlockTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !run_ ? 0 : static_cast<int>(run_->blocks.size());
}

int BlockTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString BlockTableModel::text(const RunBlock& block, int column) const
{
    const SummaryRow row = SummaryRowOf(block, run_->evaluation);
    const auto cell = [&row](SummaryColumn k) { return QString::fromStdString(row.cells[k]); };
    switch (column) {
    case Number:
        return cell(kSummaryNumber);
    case Title:
        return cell(kSummaryTitle);
    default:
        break;
    }
    if (row.rejected)
        return column == kMessageColumn ? QString::fromStdString(row.cells.back()) : QString();
    switch (column) {
    case Length:
        return cell(kSummaryLength);
    case StartHeight:
        return cell(kSummaryStartHeight);
    case EndHeight:
        return cell(kSummaryEndHeight);
    case Climb:
        return cell(kSummaryClimb);
    case Category:
        return cell(kSummaryCategory);
    case Score:
        return cell(kSummaryScore);
    case RecommendedPoint:
        return QStringLiteral("%1 (%2 км)").arg(cell(kSummaryRecommendedPoint), cell(kSummaryRecommendedDistance));
    default:
        return {};
    }
}

QVariant BlockTableModel::data(const QModelIndex& index, int role) const
{
    const RunBlock* block = blockAt(index.row());
    if (!block || index.column() >= ColumnCount)
        return {};
    const bool rejected = block->summary.rejection.has_value();
    switch (role) {
    case Qt::DisplayRole:
        return text(*block, index.column());
    case Qt::ToolTipRole:
        if (changed(index.row()))
            return QStringLiteral("Покрытие изменено");
        return rejected || index.column() == Title ? text(*block, rejected ? kMessageColumn : Title) : QVariant();
    case Qt::FontRole: {
        if (!changed(index.row()))
            return {};
        QFont font;
        font.setBold(true);
        return font;
    }
    case Qt::ForegroundRole:
        return rejected ? QVariant(QColor(Qt::gray)) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == Title || (rejected && index.column() == kMessageColumn))
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant BlockTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kHeaders[ColumnCount] = {
        "№", "Название", "Длина, км", "Начало, м", "Конец, м", "Подъём, м", "Категория", "Балл", "Рекомендуемая точка",
    };
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(kHeaders[section]);
}

} // namespace passcat
