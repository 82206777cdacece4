// A ladder-game map: a width and a height line, then the cells. What reads whole holds
// exactly width x height cells, a hero's start among them, and never more cells than the
// distance field can index.
// Seeds: gdr/maps/*.txt
// Max length: 1048576 bytes
// Timeout: 60 s
#include "dexception.h"
#include "fuzz_app.h"
#include "mapfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    try {
        MapFilePtr map = new MapFile();
        if (!map->read(fuzz::dataStream(data, size))) {
            if (!map->fault || map->cells) __builtin_trap();
            return 0;
        }
        const int count = map->width * map->height;
        if (map->width < 1 || map->height < 1 || count > MapFile::maxCells || map->cells->length != count)
            __builtin_trap();
        bool hero = false;
        for (int i = 0; i < count; ++i) {
            const char16_t cell = map->cells[i];
            if (cell == u'\r' || cell == u'\n' || cell > 0xFF) __builtin_trap();
            hero = hero || cell == u'P';
        }
        if (!hero) __builtin_trap();
    } catch (dfc::lang::DExceptionPtr&) {
        __builtin_trap();  // the reader refuses damage; it never throws
    }
    return 0;
}
