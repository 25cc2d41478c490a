#include "platform/input_stream.h"

#include <cerrno>
#include <vector>

#include "platform/system_error_text.h"

namespace passcat {
namespace {

constexpr qint64 kSpoolChunkSize = qint64{1} << 20;

constexpr int kStandardInput = 0; // on every system

} // namespace

bool OpenStandardInput(QFile& file, QString& error)
{
    if (file.open(kStandardInput, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return true;
    error = SystemErrorText(errno);
    return false;
}

InputTextScan SpoolInput(QIODevice& stream, QTemporaryFile& spool)
{
    const auto failed = [](const QString& why) { return InputTextScan{false, InputText::Ascii, why}; };
    if (!spool.open())
        return failed(QStringLiteral("временный файл: ") + SystemErrorText(errno));
    std::vector<char> chunk(kSpoolChunkSize);
    InputTextDetector detector;
    for (;;) {
        const qint64 count = stream.read(chunk.data(), kSpoolChunkSize);
        if (count < 0)
            return failed(SystemErrorText(errno));
        if (count == 0)
            break;
        detector.feed({chunk.data(), static_cast<std::size_t>(count)});
        if (spool.write(chunk.data(), count) != count)
            return failed(QStringLiteral("временный файл: ") + SystemErrorText(errno));
    }
    if (!spool.flush() || !spool.seek(0))
        return failed(QStringLiteral("временный файл: ") + SystemErrorText(errno));
    return {true, detector.verdict(), {}};
}

} // namespace passcat
