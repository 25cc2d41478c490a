// Opening inputs: Windows names are QStrings, and Qt opens them as they are.
#include <QFileInfo>

#include <cerrno>

#include "platform/input_stream.h"
#include "platform/regular_file.h"
#include "platform/system_error_text.h"

namespace passcat {
namespace {

constexpr auto kReadMode = QIODevice::ReadOnly | QIODevice::Unbuffered;

bool OpenByName(QFile& file, QString& error)
{
    if (!file.open(kReadMode)) {
        error = SystemErrorText(errno);
        return false;
    }
    return true;
}

} // namespace

InputPlace FindInput(const QString& path)
{
    return QFileInfo(path).isFile() ? InputPlace::RegularFile : InputPlace::Missing;
}

bool OpenRegularFileForReading(QFile& file, QString& error)
{
    return OpenByName(file, error);
}

bool OpenStreamForReading(QFile& file, QString& error)
{
    return OpenByName(file, error);
}

} // namespace passcat
