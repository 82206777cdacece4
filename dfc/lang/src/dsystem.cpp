#include "dsystem.h"

namespace dfc::lang {

io::DPrintStreamPtr DSystem::out;
io::DPrintStreamPtr DSystem::err;

}  // namespace dfc::lang
