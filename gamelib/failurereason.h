#pragma once
#include <exception>
#include "dexception.h"

// What a failure no one caught is told as on the user's line: what went wrong, in the user's
// terms. The exception's class and the source that threw it stay in the exception, for a
// debugger; damaged data says itself what it is and is not told here.
class FailureReason {
public:
    static dfc::lang::DStringPtr of(const dfc::lang::DThrowablePtr& e);
    static dfc::lang::DStringPtr of(const std::exception& e);
};
