#include "platform/zip_archive.h"

#include <zip.h>

namespace passcat {
namespace {

// Why libzip failed, in Russian: over bytes in memory, every failure is the archive's.
QString ZipErrorText(zip_error_t* error)
{
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("не архив ZIP или оборванный архив");
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("архив ZIP из нескольких частей");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("неизвестный способ сжатия в архиве ZIP");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("архив ZIP зашифрован");
    case ZIP_ER_MEMORY:
        return QStringLiteral("не хватило памяти");
    default:
        return QStringLiteral("архив ZIP поврежден");
    }
}

} // namespace

void ZipArchive::Closer::operator()(zip* archive) const { zip_discard(archive); }

bool ZipArchive::open(const QString& path, QString& error)
{
    if (!file_.open(path, error))
        return false;
    zip_error_t failure;
    zip_error_init(&failure);
    zip_source_t* source = zip_source_buffer_create(file_.bytes().data(), file_.bytes().size(), 0, &failure);
    if (source != nullptr) {
        archive_.reset(zip_open_from_source(source, ZIP_RDONLY, &failure));
        if (!archive_)
            zip_source_free(source); // the archive owns it only once open
    }
    if (!archive_) {
        error = ZipErrorText(&failure);
        zip_error_fini(&failure);
        return false;
    }
    zip_error_fini(&failure);
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        const auto at = static_cast<zip_uint64_t>(index);
        // A name is UTF-8 where the archive says so or it is valid UTF-8, else CP437.
        const char* name = zip_get_name(archive_.get(), at, ZIP_FL_ENC_GUESS);
        if (name == nullptr || zip_stat_index(archive_.get(), at, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
            error = ZipErrorText(zip_get_error(archive_.get()));
            archive_.reset();
            entries_.clear();
            return false;
        }
        entries_.push_back({name, stat.size});
    }
    return true;
}

bool ZipArchive::read(std::size_t index, std::vector<std::byte>& bytes, QString& error)
{
    zip_file_t* entry = zip_fopen_index(archive_.get(), index, 0);
    if (entry == nullptr) {
        error = ZipErrorText(zip_get_error(archive_.get()));
        return false;
    }
    const std::uint64_t size = entries_[index].size;
    bytes.resize(size);
    // Reading on to the end is what makes libzip check the CRC and the size.
    std::byte beyond;
    const bool whole = zip_fread(entry, bytes.data(), size) == static_cast<zip_int64_t>(size) &&
                       zip_fread(entry, &beyond, 1) == 0;
    if (!whole) {
        error = ZipErrorText(zip_file_get_error(entry));
        bytes.clear();
    }
    zip_fclose(entry);
    return whole;
}

} // namespace passcat
