#include "tracks/track_reader.h"

#include <algorithm>
#include <cstring>

namespace passcat::tracks {

std::ptrdiff_t MemoryByteSource::read(char* buffer, std::size_t size)
{
    const std::size_t count = std::min(size, bytes_.size());
    std::memcpy(buffer, bytes_.data(), count);
    bytes_.remove_prefix(count);
    return static_cast<std::ptrdiff_t>(count);
}

} // namespace passcat::tracks
