// The stream exceptions; DIOExceptionPtr catches them all.
#pragma once
#include "dexception.h"
#include "dioexception.ptr"

namespace dfc::io {
using lang::DException;
DFC_DECLARE_TOLD_EXCEPTION(DIOException, DException, u"data it reads cannot be read");
DFC_DECLARE_TOLD_EXCEPTION(DEOFException, DIOException, u"the data ends early");
DFC_DECLARE_EXCEPTION(DUTFDataFormatException, DIOException);
DFC_DECLARE_EXCEPTION(DFileNotFoundException, DIOException);
}  // namespace dfc::io
