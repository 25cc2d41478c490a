#pragma once

#include <QString>

class QMimeData;

namespace passcat {

// What a drop on the window gives: the first local file, or why there is none.
struct DroppedFile {
    QString path;    // empty when refused
    QString refusal; // the message for a drop of folders only
};

// Whether the window takes the drag at all: it carries local files or folders.
bool CarriesLocalFiles(const QMimeData& data);

DroppedFile FirstDroppedFile(const QMimeData& data);

} // namespace passcat
