#pragma once
#include "dbytearrayoutputstream.h"
#include "ddatainputstream.h"
#include "dstring.h"

// The one record, id 1, in which a game keeps a score table or an option. Both throw what
// the record store throws; the store is closed on every way out, by hand or by its last release.
class StoredRecord {
public:
    // A reader over record 1 of the store (made when missing); null when the store holds no record.
    static dfc::io::DDataInputStreamPtr read(const dfc::lang::DStringPtr& store);
    // Stores the whole buffer of bytes, its zeros after the written count included, as record 1.
    static void write(const dfc::lang::DStringPtr& store, const dfc::io::DByteArrayOutputStreamPtr& bytes);
};
