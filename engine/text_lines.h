#pragma once

#include <string>
#include <string_view>

#include "engine/line_io.h"

namespace passcat {

// Lines of a text held in memory. LF ends a line, and so does CR LF; a last line
// without a line end is still a line.
class TextLineSource final : public LineSource {
public:
    explicit TextLineSource(std::string_view text) : text_(text) {}

    bool atEnd() override { return position_ >= text_.size(); }
    std::optional<std::string_view> readLine() override;
    std::uint64_t lineNumber() const override { return lineNumber_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::uint64_t lineNumber_ = 0;
};

// Collects written lines into one text, each followed by CR LF: its own, or one
// owned elsewhere whose buffer is kept from use to use.
class TextLineSink final : public LineSink {
public:
    TextLineSink() : text_(own_) {}
    explicit TextLineSink(std::string& target) : text_(target) {}
    TextLineSink(const TextLineSink&) = delete;
    TextLineSink& operator=(const TextLineSink&) = delete;

    void writeLine(std::string_view line) override
    {
        text_.append(line);
        text_.append("\r\n");
    }
    const std::string& text() const { return text_; }
    std::string takeText() { return std::move(text_); }

private:
    std::string own_;
    std::string& text_;
};

// A line as read, without its line end: the CR of a CR LF (or of a CR at the very
// end of the input) is not part of it.
inline std::string_view WithoutCarriageReturn(std::string_view line)
{
    return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
}

} // namespace passcat
