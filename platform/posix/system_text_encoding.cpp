#include "platform/text_encoding.h"

namespace passcat {

TextEncoding SystemTextEncoding()
{
    return TextEncoding::Utf8;
}

} // namespace passcat
