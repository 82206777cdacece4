#pragma once
#include "dexception.h"
#include "dnosuchelementexception.ptr"

namespace dfc::util {
using lang::DException;
DFC_DECLARE_EXCEPTION(DNoSuchElementException, DException);
}  // namespace dfc::util
