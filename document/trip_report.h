#pragma once

#include <QDate>
#include <QString>

#include <vector>

#include "document/summary_table.h"
#include "run/block_chart.h"
#include "run/run_result.h"

namespace passcat {

// What the trip-report document shows of a finished run: a heading, the summary
// table and, for every accepted block, its chart and figures.
struct TripReport {
    QString inputName; // the input file's name, or "стандартный ввод"
    int regionIndex = 0;
    QDate date;
    std::vector<SummaryRow> rows;
    const RunResult* run = nullptr; // with the rated blocks, for the charts
    ChartOfBlock chartOf = nullptr;
};

// The date a document is made on: the day of SOURCE_DATE_EPOCH (UTC) when that is
// set, so that a build or a test can make the same bytes again; else today.
QDate DocumentDate();

// How the heading names an input path; empty for standard input.
QString InputNameForHeading(const QString& path);

} // namespace passcat
