#include "document/odt_archive.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

namespace passcat {
namespace {

// A picture entry's bytes for libzip: asked for when libzip first looks at the entry,
// dropped once it has read them, so that one picture at a time is held.
struct PictureSource {
    explicit PictureSource(std::function<QByteArray()> take_) : take(std::move(take_)) { zip_error_init(&error); }
    ~PictureSource() { zip_error_fini(&error); }
    PictureSource(const PictureSource&) = delete;
    PictureSource& operator=(const PictureSource&) = delete;

    std::function<QByteArray()> take;
    QByteArray bytes;
    qsizetype size = -1; // known once taken
    qsizetype read = 0;
    bool dropped = false;
    std::exception_ptr failure; // what take threw, not to cross libzip
    zip_error_t error;
};

zip_int64_t Fail(PictureSource& source, int code)
{
    zip_error_set(&source.error, code, 0);
    return -1;
}

// Takes the picture the first time; false when there is none.
bool Taken(PictureSource& source)
{
    if (source.size < 0) {
        try {
            source.bytes = source.take();
        } catch (...) {
            source.failure = std::current_exception();
            return false;
        }
        source.size = source.bytes.size();
    }
    return source.size > 0;
}

zip_int64_t ReadPicture(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto& source = *static_cast<PictureSource*>(state);
    switch (command) {
    case ZIP_SOURCE_STAT: {
        if (!Taken(source))
            return Fail(source, ZIP_ER_READ);
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->size = static_cast<zip_uint64_t>(source.size);
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_OPEN:
        if (!Taken(source) || source.dropped)
            return Fail(source, ZIP_ER_READ);
        source.read = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const auto count = std::min<qsizetype>(static_cast<qsizetype>(std::min<zip_uint64_t>(length, INT32_MAX)),
                                               source.size - source.read);
        std::memcpy(data, source.bytes.constData() + source.read, static_cast<std::size_t>(count));
        source.read += count;
        return count;
    }
    case ZIP_SOURCE_CLOSE:
        source.bytes = {};
        source.dropped = true;
        return 0;
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source.error, data, length);
    case ZIP_SOURCE_FREE:
        return 0; // owned by FinishOdtArchive
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        return Fail(source, ZIP_ER_OPNOTSUPP);
    }
}

struct ArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// All the bytes of a buffer source; empty when they cannot be read.
QByteArray BytesOf(zip_source_t* source)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || stat.size > INT32_MAX
        || zip_source_open(source) != 0)
        return {};
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
    zip_source_close(source);
    return read == static_cast<zip_int64_t>(stat.size) ? bytes : QByteArray();
}

} // namespace

QByteArray FinishOdtArchive(const QByteArray& archive, QDate date, const std::function<QByteArray()>& nextPicture)
{
    const QDate day = std::max(date, QDate(1980, 1, 1));
    const auto dosDate = static_cast<zip_uint16_t>((day.year() - 1980) << 9 | day.month() << 5 | day.day());

    zip_source_t* bytes = zip_source_buffer_create(archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, nullptr);
    if (!bytes)
        return {};
    zip_t* opened = zip_open_from_source(bytes, 0, nullptr);
    if (!opened) {
        zip_source_free(bytes);
        return {};
    }
    // The archive, once closed, is written back into its source: kept to be read.
    zip_source_keep(bytes);
    const std::unique_ptr<zip_source_t, SourceFree> written(bytes);
    std::vector<std::unique_ptr<PictureSource>> pictures;
    std::unique_ptr<zip_t, ArchiveDiscard> zip(opened);

    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(std::max<zip_int64_t>(count, 0)); ++index) {
        const char* name = zip_get_name(zip.get(), index, ZIP_FL_ENC_RAW);
        if (!name)
            return {};
        if (std::strncmp(name, "Pictures/", 9) == 0) {
            auto& source = *pictures.emplace_back(std::make_unique<PictureSource>(nextPicture));
            zip_source_t* replacement = zip_source_function(zip.get(), ReadPicture, &source);
            if (!replacement)
                return {};
            if (zip_file_replace(zip.get(), index, replacement, 0) != 0) {
                zip_source_free(replacement);
                return {};
            }
            // PNG is compressed already.
            if (zip_set_file_compression(zip.get(), index, ZIP_CM_STORE, 0) != 0)
                return {};
        }
        if (zip_file_set_dostime(zip.get(), index, 0, dosDate, 0) != 0) // midnight
            return {};
    }
    if (zip_close(zip.get()) != 0) {
        for (const auto& source : pictures)
            if (source->failure)
                std::rethrow_exception(source->failure);
        return {};
    }
    zip.release(); // closed, and freed with it
    return BytesOf(written.get());
}

} // namespace passcat
