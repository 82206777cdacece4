#pragma once
#include <exception>
#include "dexception.h"

namespace dfc::lang {

// A failure as a line the user reads tells it: an exception's own message (damaged data, a
// file that refuses to be read, each names itself), else what went wrong by its kind. The class
// and the source that threw it stay in the exception, for a debugger.
class DFailureReason {
public:
    static DStringPtr of(const DThrowablePtr& e);
    static DStringPtr of(const std::exception& e);
};

}  // namespace dfc::lang
