#pragma once

#include <utility>
#include <vector>

#include "chart/profile_chart.h"
#include "engine/block_evaluation.h"
#include "run/calculation_run.h"

namespace passcat {

// The chart of an accepted block from its figures: the title in UTF-8 (read as
// Windows-1251 where it is no UTF-8), numbers with the run's decimal separator.
ProfileChart ChartOfBlock(const BlockFigures& figures, char decimalSeparator);

struct NumberedChart {
    int blockNumber = 0; // among all blocks of the input, from 1
    ProfileChart chart;
};

// Shows a run through another observer and keeps the charts of its accepted blocks.
class ChartCollector final : public RunObserver {
public:
    explicit ChartCollector(RunObserver& shown) : shown_(shown) {}

    void setBusy(bool busy) override { shown_.setBusy(busy); }
    void showMessage(const RunMessage& message) override { shown_.showMessage(message); }
    void inputFound() override { shown_.inputFound(); }
    bool wantsCharts() const override { return true; }
    void chartReady(int blockNumber, ProfileChart chart) override { charts_.push_back({blockNumber, std::move(chart)}); }

    std::vector<NumberedChart>& charts() { return charts_; }

private:
    RunObserver& shown_;
    std::vector<NumberedChart> charts_;
};

} // namespace passcat
