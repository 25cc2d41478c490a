#include "document/zip_entry_dates.h"

namespace passcat {
namespace {

constexpr quint32 kLocalHeader = 0x04034b50;
constexpr quint32 kCentralHeader = 0x02014b50;
constexpr quint32 kDirectoryEnd = 0x06054b50;
constexpr qsizetype kLocalHeaderSize = 30;
constexpr qsizetype kCentralHeaderSize = 46;
constexpr qsizetype kDirectoryEndSize = 22; // without a comment, as Qt writes it

// Little-endian fields, read only within the archive.
class Fields {
public:
    explicit Fields(QByteArray& bytes) : bytes_(bytes) {}

    bool has(qsizetype at, qsizetype size) const { return at >= 0 && at <= bytes_.size() - size; }
    quint32 u16(qsizetype at) const { return byte(at) | byte(at + 1) << 8; }
    quint32 u32(qsizetype at) const { return u16(at) | u16(at + 2) << 16; }

    void setTimeAndDate(qsizetype at, quint32 dosDate)
    {
        bytes_[at] = bytes_[at + 1] = 0; // midnight
        bytes_[at + 2] = static_cast<char>(dosDate & 0xff);
        bytes_[at + 3] = static_cast<char>(dosDate >> 8);
    }

private:
    quint32 byte(qsizetype at) const { return static_cast<quint8>(bytes_[at]); }

    QByteArray& bytes_;
};

} // namespace

bool SetZipEntryDates(QByteArray& zip, QDate date)
{
    const QDate day = std::max(date, QDate(1980, 1, 1));
    const auto dosDate = static_cast<quint32>((day.year() - 1980) << 9 | day.month() << 5 | day.day());
    Fields fields(zip);
    const qsizetype end = zip.size() - kDirectoryEndSize;
    if (!fields.has(end, kDirectoryEndSize) || fields.u32(end) != kDirectoryEnd)
        return false;
    qsizetype entry = fields.u32(end + 16);
    for (quint32 k = fields.u16(end + 10); k > 0; --k) {
        if (!fields.has(entry, kCentralHeaderSize) || entry + kCentralHeaderSize > end
            || fields.u32(entry) != kCentralHeader)
            return false;
        const qsizetype local = fields.u32(entry + 42);
        if (!fields.has(local, kLocalHeaderSize) || fields.u32(local) != kLocalHeader)
            return false;
        fields.setTimeAndDate(entry + 12, dosDate);
        fields.setTimeAndDate(local + 10, dosDate);
        entry += kCentralHeaderSize + fields.u16(entry + 28) + fields.u16(entry + 30) + fields.u16(entry + 32);
    }
    return true;
}

} // namespace passcat
