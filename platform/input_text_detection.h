#pragma once

#include <QFile>
#include <QString>

#include <string_view>

#include "platform/text_encoding.h"
#include "text/utf8.h"

namespace passcat {

// What the bytes of an input file say about its encoding.
enum class InputText {
    Ascii,      // no byte above 0x7F
    Utf8,       // bytes above 0x7F, all forming valid UTF-8
    OtherBytes, // bytes above 0x7F that are not UTF-8: a single-byte code page
};

// Tells the kind of a text fed to it in pieces of any size; a UTF-8 sequence may be
// split between two pieces.
class InputTextDetector {
public:
    void feed(std::string_view bytes) { utf8_.feed(bytes); }

    // The kind of everything fed so far, taken as the whole text.
    InputText verdict() const;

    // True once no further bytes can change the verdict.
    bool settled() const { return utf8_.failed(); }

private:
    Utf8Check utf8_;
};

struct InputTextScan {
    bool ok = false; // false when the file could not be read: see errorString
    InputText text = InputText::Ascii;
    QString errorString;
};

// Reads the file once, in chunks, up to the first byte that settles its kind.
InputTextScan ScanInputText(const QString& path);

// The same for a regular file opened already, which is then rewound to its start.
InputTextScan ScanInputText(QFile& file);

// The encoding for the report's own texts that matches the input: its own when the
// bytes tell it, the system's when the input is plain ASCII.
TextEncoding EncodingForInput(InputText text);

} // namespace passcat
