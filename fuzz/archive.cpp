// The data archive: opened as game.dat is, its index built, then each entry unpacked.
// Seeds: @archives
#include <string>
#include <vector>
#include "ce.h"
#include "d7zipinputstream.h"
#include "d7zipheader.h"
#include "dexception.h"
#include "fuzz_app.h"

using dfc::io::D7zipInputStream;

namespace {

// The names the archive holds, as its header lists them.
std::vector<std::string> entryNames(const std::string& path) {
    std::vector<std::string> names;
    HANDLE file = CreateFileW(platform::widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return names;
    try {
        const dfc::io::D7zipHeader header(file);
        for (const auto& entry : header.entries())
            if (names.size() < 64) names.push_back(entry.name);
    } catch (dfc::lang::DExceptionPtr&) {
    }
    CloseHandle(file);
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    fuzz::putFile("/fuzz.dat", data, size);
    try {
        D7zipInputStream::openArchive(u"fuzz.dat", u"password");
    } catch (dfc::lang::DExceptionPtr&) {
        return 0;
    }
    for (const std::string& name : entryNames(fuzz::appFolder() + "/fuzz.dat")) {
        try {
            dfc::io::D7zipInputStreamPtr in =
                D7zipInputStream::open(new dfc::lang::DString(platform::widen(name).c_str()));
            while (in->read() >= 0) {
            }
        } catch (dfc::lang::DExceptionPtr&) {
        }
    }
    D7zipInputStream::closeArchive();
    return 0;
}
