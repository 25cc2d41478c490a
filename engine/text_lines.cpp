#include "engine/text_lines.h"

namespace passcat {

std::optional<std::string_view> TextLineSource::readLine()
{
    if (atEnd())
        return std::nullopt;
    const auto end = text_.find('\n', position_);
    const auto stop = end == std::string_view::npos ? text_.size() : end;
    const auto line = text_.substr(position_, stop - position_);
    position_ = stop == text_.size() ? stop : stop + 1;
    ++lineNumber_;
    return WithoutCarriageReturn(line);
}

} // namespace passcat
