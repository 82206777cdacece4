// The message of the null-pointer exception a call throws: the pointee's class name, a blank
// and the pointer header's place.
#pragma once
#include <string>
#include "dexception.h"
#include "text.h"

template <class Call>
std::string nullPointerMessage(Call call) {
    try {
        call();
    } catch (dfc::lang::DNullPointerExceptionPtr& e) {
        return narrow(e->getMessage());
    }
    return "no exception";
}

// Whether the call throws a null-pointer exception naming the class.
template <class Call>
bool namesNull(const std::string& className, Call call) {
    return nullPointerMessage(call).rfind(className + " ", 0) == 0;
}
