#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryFile>

#include "platform/input_text_detection.h"

namespace passcat {

// What an input path names now, following symbolic links.
enum class InputPlace {
    Missing,     // nothing, or a folder
    RegularFile, // read in place, and scanned before it is read
    Stream,      // a named pipe, a character device or a socket: read once, as it comes
};
InputPlace FindInput(const QString& path);

// Opens file (by its name) for unbuffered reading as a stream: a named pipe waits
// for its writer. On failure, error tells why.
bool OpenStreamForReading(QFile& file, QString& error);

// Opens standard input for unbuffered reading, whatever it is.
bool OpenStandardInput(QFile& file, QString& error);

// Reads stream to its end into spool, a temporary file created here, telling the
// text's kind on the way, and rewinds spool to be read in the stream's place: the
// report's encoding must be known before its first line, and a stream cannot be
// read twice. Memory stays at one chunk however long the stream is.
InputTextScan SpoolInput(QIODevice& stream, QTemporaryFile& spool);

} // namespace passcat
