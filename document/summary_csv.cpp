#include "document/summary_csv.h"

#include <string_view>

namespace passcat {
namespace {

// A TAB is quoted too: an import that splits at TABs as well keeps the field whole.
void AppendField(std::string& csv, std::string_view field)
{
    if (field.find_first_of(";\"\t\r\n") == std::string_view::npos) {
        csv += field;
        return;
    }
    csv += '"';
    for (const char c : field) {
        if (c == '"')
            csv += '"';
        csv += c;
    }
    csv += '"';
}

template <typename Fields>
void AppendLine(std::string& csv, const Fields& fields)
{
    bool first = true;
    for (const auto& field : fields) {
        if (!first)
            csv += ';';
        first = false;
        AppendField(csv, field);
    }
    csv += "\r\n";
}

} // namespace

std::string SummaryCsv(const std::vector<SummaryRow>& rows)
{
    std::string csv = "\xEF\xBB\xBF";
    AppendLine(csv, kSummaryHeader);
    for (const SummaryRow& row : rows)
        AppendLine(csv, row.cells);
    return csv;
}

} // namespace passcat
