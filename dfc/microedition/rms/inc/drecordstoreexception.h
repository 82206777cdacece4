// The record-store exceptions; DRecordStoreExceptionPtr catches them all.
#pragma once
#include "dexception.h"
#include "drecordstoreexception.ptr"

namespace dfc::microedition::rms {
using lang::DException;
DFC_DECLARE_EXCEPTION(DRecordStoreException, DException);
DFC_DECLARE_EXCEPTION(DRecordStoreNotFoundException, DRecordStoreException);
DFC_DECLARE_EXCEPTION(DRecordStoreNotOpenException, DRecordStoreException);
}  // namespace dfc::microedition::rms
