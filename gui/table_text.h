#pragma once

#include <QString>

class QAbstractItemModel;

namespace passcat {

// A table as tab-separated text for the clipboard: the header line, then one line per
// row, each ending in a line end. Tabs and line ends inside a cell become blanks, so
// that a spreadsheet keeps every cell in its column.
QString TableAsTabSeparated(const QAbstractItemModel& model);

} // namespace passcat
