#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace passcat {

// Where the engine reads profile lines from. A line comes without its line end.
class LineSource {
public:
    virtual ~LineSource() = default;

    // True when nothing is left to read.
    virtual bool atEnd() = 0;

    // The next line, valid until the next call; nothing at the end of the input.
    virtual std::optional<std::string_view> readLine() = 0;

    // How many lines have been read so far: the number of the line last read.
    virtual std::uint64_t lineNumber() const = 0;
};

// Where the engine writes report lines to; the sink adds the line end.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void writeLine(std::string_view line) = 0;
};

} // namespace passcat
