#pragma once

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/line_io.h"

namespace passcat {

// The lines of a file, read in large chunks. LF ends a line, and one CR before it is
// dropped, so CR LF and LF files read alike; a last line without a line end is still
// a line. The buffer grows to hold the longest line plus one chunk (at most about
// twice that, as it grows by doubling) and is the only memory used.
//
// A read error ends the input: atEnd() becomes true and hasError() tells why, so the
// caller can tell a failed read from the end of the file.
//
// A Ctrl-Z (byte 26) as the very last byte, the end-of-file mark of old DOS editors,
// is not read.
class FileLineSource final : public LineSource {
public:
    static constexpr std::size_t kDefaultChunkSize = std::size_t{1} << 20;

    explicit FileLineSource(const QString& path, std::size_t chunkSize = kDefaultChunkSize);

    // Reads a device opened already (a stream, or a spooled one), which must outlive
    // the source; open() is not called then.
    explicit FileLineSource(QIODevice& opened, std::size_t chunkSize = kDefaultChunkSize);

    // False when the file cannot be opened or is no regular file (a folder, a named
    // pipe); errorString() says why. Never waits for a writer of a named pipe.
    bool open();

    bool atEnd() override;
    std::optional<std::string_view> readLine() override;
    std::uint64_t lineNumber() const override { return lineNumber_; }

    bool hasError() const { return hasError_; }
    QString errorString() const { return error_; }

private:
    // Appends the next chunk to the unread bytes; false at the end of the file or on error.
    bool readChunk();

    QFile file_;
    QIODevice* device_; // file_, or the device given
    QString error_;     // why open() or a read failed
    std::size_t chunkSize_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;   // first unread byte
    std::size_t end_ = 0;     // one past the last byte read from the file
    std::size_t scanned_ = 0; // bytes from begin_ already known to hold no LF
    bool endOfFile_ = false;
    bool hasError_ = false;
    std::uint64_t lineNumber_ = 0;
};

} // namespace passcat
