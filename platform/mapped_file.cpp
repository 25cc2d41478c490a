#include "platform/mapped_file.h"

#include "platform/regular_file.h"

namespace passcat {

bool MappedFile::open(const QString& path, QString& error)
{
    // QFile maps through mmap or MapViewOfFile; the file is opened by the bytes of its
    // name (see native_path.h), and a named pipe in its place does not hold the run.
    file_.setFileName(path);
    if (!OpenRegularFileForReading(file_, error))
        return false;
    const qint64 size = file_.size();
    if (size > 0) {
        const uchar* start = file_.map(0, size);
        if (start == nullptr) {
            error = file_.errorString();
            return false;
        }
        bytes_ = {reinterpret_cast<const std::byte*>(start), static_cast<std::size_t>(size)};
    }
    file_.close(); // the map stays
    return true;
}

} // namespace passcat
