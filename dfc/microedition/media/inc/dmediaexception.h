#pragma once
#include "dexception.h"
#include "dmediaexception.ptr"

namespace dfc::microedition::media {
using lang::DException;
DFC_DECLARE_EXCEPTION(DMediaException, DException);
}  // namespace dfc::microedition::media
