#pragma once

#include <QFile>
#include <QString>

#include <cstddef>
#include <span>

namespace passcat {

// The bytes of a regular file mapped into memory, read-only, for as long as the object
// lives: the system reads only the pages that are used, and drops them as it needs.
class MappedFile {
public:
    // False when path is no regular file or cannot be mapped; error tells why.
    bool open(const QString& path, QString& error);

    std::span<const std::byte> bytes() const { return bytes_; }

private:
    QFile file_; // its maps last as long as it does
    std::span<const std::byte> bytes_;
};

} // namespace passcat
