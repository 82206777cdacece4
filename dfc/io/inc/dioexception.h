// The stream exceptions; DIOExceptionPtr catches them all.
#pragma once
#include "dexception.h"
#include "dioexception.ptr"

namespace dfc::io {
using lang::DException;
DFC_DECLARE_EXCEPTION(DIOException, DException);
DFC_DECLARE_EXCEPTION(DEOFException, DIOException);
DFC_DECLARE_EXCEPTION(DUTFDataFormatException, DIOException);
DFC_DECLARE_EXCEPTION(DFileNotFoundException, DIOException);
}  // namespace dfc::io
