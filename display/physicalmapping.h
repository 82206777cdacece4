#pragma once
#include <cstdint>
#include "ce_types.h"

// Maps size bytes of physical memory from address into the process (in kernel mode); the
// address of the given byte, or null.
uint8_t* MapPhysical(DWORD address, DWORD size, bool cached);
// Maps size bytes at an address of the kernel's static windows onto physical memory; null
// when the device has none there.
uint8_t* MapKernelStatic(DWORD address, DWORD size);
// Releases either kind of mapping.
void Unmap(void* mapped);

// Copies memory that may fault; false when it did.
bool ReadGuarded(const void* address, void* out, DWORD size);
// Compares two stretches of memory that may fault; false when they differ or faulted.
bool EqualGuarded(const void* a, const void* b, DWORD size);
