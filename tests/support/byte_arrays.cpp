#include "byte_arrays.h"
#include <cstring>

using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;

DbyteArrayPtr bytesOf(const std::string& bytes) {
    DbyteArrayPtr b = new DbyteArray(int(bytes.size()));
    if (!bytes.empty()) std::memcpy(b->data, bytes.data(), bytes.size());
    return b;
}

std::string textOf(const DbyteArrayPtr& b, int n) {
    return std::string(reinterpret_cast<const char*>(b->data), size_t(n < 0 ? b->length : n));
}
