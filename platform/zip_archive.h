#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/mapped_file.h"

struct zip;

namespace passcat {

// A ZIP archive, read through libzip from the mapped bytes of its file: the file is
// opened as every other (by the bytes of its name, or its Unicode name on Windows),
// and only the pages of the entries read are brought in.
class ZipArchive {
public:
    struct Entry {
        std::string name;   // as stored, folders separated by '/', in UTF-8
        std::uint64_t size; // uncompressed, as the archive's directory says
    };

    // False when path is no regular file or no ZIP archive that can be read; error
    // tells why.
    bool open(const QString& path, QString& error);

    const std::vector<Entry>& entries() const { return entries_; }

    // The uncompressed bytes of entries()[index], exactly its size and checked against
    // its CRC; false when they cannot be read (damaged, encrypted, an unknown
    // compression), error telling why.
    bool read(std::size_t index, std::vector<std::byte>& bytes, QString& error);

private:
    struct Closer {
        void operator()(zip* archive) const;
    };

    MappedFile file_; // outlives archive_, which reads from its bytes
    std::unique_ptr<zip, Closer> archive_;
    std::vector<Entry> entries_;
};

} // namespace passcat
