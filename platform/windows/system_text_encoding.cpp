#include "platform/text_encoding.h"

#include <windows.h>

namespace passcat {

TextEncoding SystemTextEncoding()
{
    return GetACP() == CP_UTF8 ? TextEncoding::Utf8 : TextEncoding::Cp1251;
}

} // namespace passcat
