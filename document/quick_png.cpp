#include "document/quick_png.h"

#include <QtEndian>

#include <zlib.h>

#include <array>
#include <vector>

namespace passcat {
namespace {

void AppendBigEndian(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// Length, type, data and the CRC of type and data.
void AppendChunk(QByteArray& png, const char* type, const QByteArray& data)
{
    AppendBigEndian(png, static_cast<quint32>(data.size()));
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    const auto* checked = reinterpret_cast<const Bytef*>(png.constData() + start);
    AppendBigEndian(png, static_cast<quint32>(crc32(0, checked, static_cast<uInt>(png.size() - start))));
}

constexpr Bytef kFilterNone = 0;
constexpr Bytef kFilterUp = 2;

} // namespace

QByteArray QuickPng(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    z_stream stream{};
    // Run-length matching looks up no hash table, yet zlib shifts the whole table along
    // every 32 KB of input: a small one (memory level 4 of 9) saves most of that.
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15, 4, Z_RLE) != Z_OK)
        return {};
    QByteArray deflated;
    std::vector<Bytef> row(static_cast<std::size_t>(width) * 3 + 2); // the filter byte, the pixels, one spare
    std::array<Bytef, 1 << 16> chunk;
    bool failed = false;
    const std::vector<QRgb> blackRow(static_cast<std::size_t>(width));
    for (int y = 0; y < image.height() && !failed; ++y) {
        // The first row as it is, every other one as its difference from the row above.
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* above = y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : blackRow.data();
        row[0] = y > 0 ? kFilterUp : kFilterNone;
        for (int x = 0; x < width; ++x) {
            // Every byte of the pixel less the one above it (modulo 256) at once, no
            // borrow crossing from one byte into the next.
            const quint32 pixel = pixels[x];
            const quint32 under = above[x];
            const quint32 difference = ((pixel | 0x80808080u) - (under & 0x7f7f7f7fu)) ^ ((pixel ^ ~under) & 0x80808080u);
            // Red, green and blue, and a fourth byte that the next pixel overwrites.
            qToLittleEndian<quint32>(qbswap(difference) >> 8, &row[1 + static_cast<std::size_t>(x) * 3]);
        }
        stream.next_in = row.data();
        stream.avail_in = static_cast<uInt>(row.size() - 1);
        const int flush = y + 1 == image.height() ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            failed = deflate(&stream, flush) == Z_STREAM_ERROR;
            deflated.append(reinterpret_cast<const char*>(chunk.data()),
                            static_cast<qsizetype>(chunk.size() - stream.avail_out));
        } while (stream.avail_out == 0 && !failed);
    }
    deflateEnd(&stream);
    if (failed)
        return {};

    QByteArray header;
    AppendBigEndian(header, static_cast<quint32>(width));
    AppendBigEndian(header, static_cast<quint32>(image.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, adaptive filters, no interlace
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", deflated);
    AppendChunk(png, "IEND", {});
    return png;
}

} // namespace passcat
