#include "platform/input_text_detection.h"

#include <QFile>

#include <cerrno>
#include <vector>

#include "platform/regular_file.h"
#include "platform/system_error_text.h"

namespace passcat {
namespace {

constexpr qint64 kScanChunkSize = qint64{1} << 20;

} // namespace

InputText InputTextDetector::verdict() const
{
    if (!utf8_.valid())
        return InputText::OtherBytes;
    return utf8_.sawNonAscii() ? InputText::Utf8 : InputText::Ascii;
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
