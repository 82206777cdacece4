// What the file input and output streams share: their paths, argument rules and moves.
#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dprimitives.h"
#include "dstring.h"

namespace dfc::io::fileaccess {

// The executable's folder followed directly by name, "/" turned into "\": "/a.txt" lies
// beside the executable.
lang::DStringPtr pathOf(const lang::DStringPtr& name);
// Opens the file at path, sharing reading and writing with other openers; null when it fails.
HANDLE create(const lang::DStringPtr& path, DWORD access, DWORD creation);
// An empty array, off past its end or a zero len throws DIOException; a negative off or len,
// or a range past the end, DIndexOutOfBoundsException.
void checkArguments(const lang::DbyteArrayPtr& b, int off, int len);
// Moves by the low 32 bits of n; answers how far the position moved. Passing the end is
// allowed, moving before the start throws DIOException.
int64_t skip(HANDLE file, int64_t n);
// Closes the handle once; a handle of 0 is left alone.
void close(HANDLE& file);

}  // namespace dfc::io::fileaccess
