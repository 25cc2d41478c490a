#pragma once

#include <QAbstractTableModel>

#include <memory>

#include "run/run_result.h"

namespace passcat {

// A run whose accepted blocks were kept with their points.
using RunCharts = std::shared_ptr<const RunResult>;

// Every block of a run, one row each, its figures as the report writes them (with
// the run's decimal separator). A rejected block shows its message after its title,
// greyed; a block whose surfaces were changed since the run is in bold.
class BlockTableModel final : public QAbstractTableModel {
public:
    enum Column { Number, Title, Length, StartHeight, EndHeight, Climb, Category, Score, RecommendedPoint, ColumnCount };
    // The first column of a rejected block's message, which spans the rest of the row.
    static constexpr int kMessageColumn = Length;

    explicit BlockTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // run as shown, original as the run found it.
    void setRun(RunCharts run, RunCharts original);
    // The block in row has a new record.
    void blockChanged(int row);
    const RunBlock* blockAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(const RunBlock& block, int column) const;

    bool changed(int row) const;

    RunCharts run_;
    RunCharts original_;
};

} // namespace passcat
