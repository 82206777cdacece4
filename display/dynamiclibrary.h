#pragma once
#include "ce.h"

// A system library loaded by name, kept loaded while the object lives. Wrappers derive from it
// and hold the entry points they look up.
class DynamicLibrary {
public:
    explicit DynamicLibrary(const WCHAR* name);
    virtual ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool IsLoaded() const { return module != nullptr; }

protected:
    // Null when the library or the entry point is missing.
    template <typename Entry>
    Entry Lookup(const WCHAR* name) const {
        return module ? reinterpret_cast<Entry>(GetProcAddressW(module, name)) : nullptr;
    }

    // The replacement stands in when the entry point is missing.
    template <typename Entry>
    Entry Lookup(const WCHAR* name, Entry replacement) const {
        Entry found = Lookup<Entry>(name);
        return found ? found : replacement;
    }

private:
    HMODULE module;
};
