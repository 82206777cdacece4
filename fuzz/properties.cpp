// Text properties: "key=value" lines up to CR, as "/res", "/keys" and the games' texts are read.
// Seeds: res.txt keys.txt
// Max length: 1048576 bytes
// Timeout: 60 s
#include "dexception.h"
#include "dhashtable.h"
#include "fuzz_app.h"
#include "stringmanager.h"

namespace {

const uint8_t* input;
size_t inputSize;

dfc::io::DInputStreamPtr openInput(const dfc::lang::DStringPtr&) { return fuzz::dataStream(input, inputSize); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    if (!StringManager::properties) StringManager::properties = new dfc::util::DHashtable(11, 75);
    StringManager::openResource = openInput;
    input = data;
    inputSize = size;
    try {
        StringManager::loadProperties(u"/res");
        StringManager::getInt(u"KEY_LEFT_SOFT1", 10000);
        StringManager::getProperty(u"help");
    } catch (dfc::lang::DExceptionPtr&) {
    }
    return 0;
}
