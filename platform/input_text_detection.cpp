#include "platform/input_text_detection.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/regular_file.h"
#include "platform/system_error_text.h"

namespace passcat {
namespace {

constexpr qint64 kScanChunkSize = qint64{1} << 20;

// The length of the run of ASCII bytes at the start, eight bytes at a time.
std::size_t AsciiPrefixLength(std::string_view bytes)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & kHighBits)
            break;
    }
    while (i < bytes.size() && static_cast<std::uint8_t>(bytes[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

void InputTextDetector::feed(std::string_view bytes)
{
    while (!bytes.empty() && !invalid_) {
        if (pendingBytes_ == 0) {
            bytes.remove_prefix(AsciiPrefixLength(bytes));
            if (bytes.empty())
                return;
        }
        const auto byte = static_cast<std::uint8_t>(bytes.front());
        bytes.remove_prefix(1);
        if (pendingBytes_ > 0) {
            invalid_ = byte < lower_ || byte > upper_;
            --pendingBytes_;
            lower_ = 0x80;
            upper_ = 0xBF;
            continue;
        }
        // A lead byte: how many continuation bytes follow, and the range of the first
        // of them that rules out overlong forms, surrogates and code points past U+10FFFF.
        sawNonAscii_ = true;
        if (byte >= 0xC2 && byte <= 0xDF) {
            pendingBytes_ = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            pendingBytes_ = 2;
            lower_ = byte == 0xE0 ? 0xA0 : 0x80;
            upper_ = byte == 0xED ? 0x9F : 0xBF;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            pendingBytes_ = 3;
            lower_ = byte == 0xF0 ? 0x90 : 0x80;
            upper_ = byte == 0xF4 ? 0x8F : 0xBF;
        } else {
            invalid_ = true;
        }
    }
}

InputText InputTextDetector::verdict() const
{
    if (invalid_ || pendingBytes_ > 0)
        return InputText::OtherBytes;
    return sawNonAscii_ ? InputText::Utf8 : InputText::Ascii;
}

InputTextScan ScanInputText(const QString& path)
{
    QFile file(path);
    QString openError;
    if (!OpenRegularFileForReading(file, openError))
        return {false, InputText::Ascii, openError};
    return ScanInputText(file);
}

InputTextScan ScanInputText(QFile& file)
{
    std::vector<char> chunk(kScanChunkSize);
    InputTextDetector detector;
    while (!detector.settled()) {
        const qint64 count = file.read(chunk.data(), kScanChunkSize);
        if (count < 0)
            return {false, InputText::Ascii, SystemErrorText(errno)};
        if (count == 0)
            break;
        detector.feed({chunk.data(), static_cast<std::size_t>(count)});
    }
    if (!file.seek(0))
        return {false, InputText::Ascii, SystemErrorText(errno)};
    return {true, detector.verdict(), {}};
}

TextEncoding EncodingForInput(InputText text)
{
    switch (text) {
    case InputText::Utf8:
        return TextEncoding::Utf8;
    case InputText::OtherBytes:
        return TextEncoding::Cp1251;
    case InputText::Ascii:
        break;
    }
    return SystemTextEncoding();
}

} // namespace passcat
