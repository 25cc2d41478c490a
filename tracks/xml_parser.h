#pragma once

#include <string_view>

#include "tracks/track_reader.h"

namespace passcat::tracks {

// What the parser finds, in document order.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // name as written, with its namespace prefix; attributes: name, value, ..., then a
    // null pointer.
    virtual void elementStarted(std::string_view name, const char* const* attributes) = 0;
    virtual void elementEnded() = 0;
    virtual void textRead(std::string_view text) = 0;
};

// Parses the whole input with Expat, feeding it in chunks: no DTD or external entity
// is ever loaded, and entity expansion stays within Expat's amplification limit.
ReadOutcome ReadXml(ByteSource& input, XmlHandler& handler);

} // namespace passcat::tracks
