#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tracks/track_data.h"

namespace passcat::tracks {

// The bytes of a track file, read in pieces.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes into buffer: how many were read, 0 at the end, -1 on failure.
    virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

// A ByteSource over bytes in memory.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::ptrdiff_t read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

struct ReadOutcome {
    enum class Status {
        Read,
        NotWellFormed,   // line, column and reason tell where and why
        UnknownEncoding, // reason holds the declared encoding
        ReadFailed,      // the source failed
    };
    Status status = Status::Read;
    std::uint64_t line = 0;   // from 1
    std::uint64_t column = 0; // from 1, in characters
    std::string reason;       // UTF-8
};

// Reads one format: every track and waypoint goes to the sink as it is complete.
class TrackReader {
public:
    virtual ~TrackReader() = default;
    virtual ReadOutcome read(ByteSource& input, TrackSink& sink) = 0;
};

} // namespace passcat::tracks
