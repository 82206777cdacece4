#pragma once
#include <string>
#include "dstring.h"
#include "platform.h"

// Library text as UTF-8, for assertions and failure messages.
inline std::string narrow(const dfc::lang::DStringPtr& s) {
    return s ? platform::narrow(std::u16string_view(s->chars(), size_t(s->length()))) : std::string("null");
}
