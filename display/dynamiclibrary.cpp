#include "dynamiclibrary.h"

DynamicLibrary::DynamicLibrary(const WCHAR* name) : module(LoadLibraryW(name)) {}

DynamicLibrary::~DynamicLibrary() {
    if (module) FreeLibrary(module);
}
