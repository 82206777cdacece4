// The river shooter's screens file: screens of 22 x 26 cells and the levels made of them.
// Seeds: fdp/screens.bin
// Timeout: 20 s
#include "dexception.h"
#include "entity.h"
#include "fuzz_app.h"
#include "screens.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    try {
        if (Screens::read(fuzz::dataStream(data, size))) {
            // Everything a level build reaches must be there.
            int sum = 0;
            for (int level = 0; level < Screens::levelCount(); ++level) {
                const dfc::lang::DintArrayPtr list = Screens::levels[level];
                if (list->length < 2) __builtin_trap();
                for (int i = 0; i < list->length; ++i) {
                    const int screen = list[i];
                    sum += Screens::cells[screen * Screens::cellsPerScreen + Screens::cellsPerScreen - 1];
                    for (int j = 0; j < Screens::templateCount(screen); ++j)
                        sum += Screens::templateOf(screen, j)->kind;
                }
            }
            if (sum == -1) __builtin_trap();
        }
    } catch (dfc::lang::DExceptionPtr&) {
        // Reading reports damage itself; nothing may escape it.
        __builtin_trap();
    }
    Screens::release();
    return 0;
}
