#pragma once
#include "ddisplayable.ptr"
#include "dstring.h"

namespace dfc::microedition::lcdui {

class DDisplayable : public lang::DObject {
public:
    virtual void unused() {}

    bool shown = false;
    int32_t height = 0;
    int32_t width = 0;
    lang::DStringPtr text;
};

}  // namespace dfc::microedition::lcdui
