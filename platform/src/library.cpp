// Libraries by name: the device offers those its profile lists, each exporting the entry
// points the profile names out of what the platform implements.
#include <algorithm>
#include <list>
#include "device.h"
#include "libraries.h"

namespace platform {
namespace {

struct Image {
    const char16_t* name;
    const std::vector<Export>& (*exports)();
};

const Image images[] = {
    {u"coredll.dll", coreDllExports}, {u"aygshell.dll", aygShellExports}, {u"gx.dll", gxExports},
    {u"gxdma.dll", gxDmaExports},     {u"CoreLinkLib.dll", coreLinkExports},
};

struct Module {
    const Library* declared;
    const Image* image;
    int references;
};

// Lives on through the program's exit, when libraries are still being freed.
std::list<Module>& modules() {
    static auto* m = new std::list<Module>;
    return *m;
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

Module* find(HMODULE handle) {
    for (Module& m : modules())
        if (reinterpret_cast<HMODULE>(&m) == handle) return &m;
    return nullptr;
}

}  // namespace

bool sameLibraryName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

void resetLibraries() { modules().clear(); }

}  // namespace platform

using platform::Module;

HMODULE LoadLibraryW(LPCWSTR name) {
    if (!name) return nullptr;
    const platform::Profile& profile = platform::profile();
    for (const platform::Library& library : profile.libraries) {
        if (!platform::sameLibraryName(library.name, name)) continue;
        for (Module& m : platform::modules()) {
            if (m.declared != &library) continue;
            ++m.references;
            return reinterpret_cast<HMODULE>(&m);
        }
        for (const auto& image : platform::images) {
            if (!platform::sameLibraryName(image.name, name)) continue;
            platform::modules().push_back(Module{&library, &image, 1});
            return reinterpret_cast<HMODULE>(&platform::modules().back());
        }
    }
    return nullptr;
}

FARPROC GetProcAddressW(HMODULE handle, LPCWSTR name) {
    Module* m = platform::find(handle);
    if (!m || !name) return nullptr;
    const auto& missing = m->declared->missing;
    if (std::find(missing.begin(), missing.end(), std::u16string(name)) != missing.end()) return nullptr;
    for (const platform::Export& e : m->image->exports())
        if (std::u16string_view(e.name) == name) return e.entry;
    return nullptr;
}

BOOL FreeLibrary(HMODULE handle) {
    Module* m = platform::find(handle);
    if (!m) return FALSE;
    if (--m->references == 0)
        platform::modules().remove_if([m](const Module& each) { return &each == m; });
    return TRUE;
}
