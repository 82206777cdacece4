// The big-endian data stream over bytes: a mix of typed reads chosen by the data itself.
// Seeds: *help.txt fonts/*/font_0
// Timeout: 20 s
#include "dexception.h"
#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    dfc::io::DDataInputStreamPtr in = fuzz::dataStream(data, size);
    try {
        for (;;) {
            switch (in->readUnsignedByte() % 10) {
            case 0: in->readUTF(); break;
            case 1: in->readInt(); break;
            case 2: in->readLong(); break;
            case 3: in->readShort(); break;
            case 4: in->readUnsignedShort(); break;
            case 5: in->readBoolean(); break;
            case 6: in->skip(in->readUnsignedByte()); break;
            case 7: in->readFully(new dfc::lang::DbyteArray(in->readUnsignedByte())); break;
            case 8:
                in->read(new dfc::lang::DbyteArray(16), in->readUnsignedByte() % 17, in->readUnsignedByte() % 17);
                break;
            default: in->available(); break;
            }
        }
    } catch (dfc::lang::DExceptionPtr&) {
    }
    return 0;
}
