#include "gui/table_text.h"

#include <QAbstractItemModel>
#include <QRegularExpression>

namespace passcat {
namespace {

QString Cell(const QVariant& value)
{
    static const QRegularExpression kBreaks(QStringLiteral("[\t\r\n]"));
    return value.toString().replace(kBreaks, QStringLiteral(" "));
}

} // namespace

QString TableAsTabSeparated(const QAbstractItemModel& model)
{
    QString text;
    const int columns = model.columnCount();
    const auto appendLine = [&](const auto& cellAt) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                text += u'\t';
            text += Cell(cellAt(column));
        }
        text += u'\n';
    };
    appendLine([&](int column) { return model.headerData(column, Qt::Horizontal, Qt::DisplayRole); });
    for (int row = 0; row < model.rowCount(); ++row)
        appendLine([&](int column) { return model.data(model.index(row, column), Qt::DisplayRole); });
    return text;
}

} // namespace passcat
