#pragma once
#include "dprintstream.h"

namespace dfc::lang {

class DSystem {
public:
    static io::DPrintStreamPtr out;
    static io::DPrintStreamPtr err;
};

}  // namespace dfc::lang
