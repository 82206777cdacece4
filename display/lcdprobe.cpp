#include "lcdprobe.h"
#include "physicalmapping.h"

LcdProbe::~LcdProbe() { Release(); }

bool LcdProbe::MapRegisters(DWORD physical, DWORD size) {
    registers = reinterpret_cast<volatile DWORD*>(MapPhysical(physical, size, false));
    DWORD control = 0;
    if (registers && Read(0, &control) && (control & 1)) return true;
    Release();
    return false;
}

void LcdProbe::KeepIfUsable() {
    if (bpp != 16 || passive) Release();
}

bool LcdProbe::Read(DWORD byteOffset, DWORD* value) const {
    return ReadGuarded(const_cast<const DWORD*>(registers) + byteOffset / 4, value, sizeof *value);
}

void LcdProbe::Release() {
    Unmap(const_cast<DWORD*>(registers));
    registers = nullptr;
}
