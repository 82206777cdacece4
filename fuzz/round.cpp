// A brick-game round file: 21 lines of 11 cells.
// Seeds: bxm/data/round*.txt
// Max length: 1048576 bytes
// Timeout: 60 s
#include "dexception.h"
#include "fuzz_app.h"
#include "roundfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    try {
        RoundFilePtr round = RoundFile::read(fuzz::dataStream(data, size));
        int sum = round->hitsToClear();
        for (int row = 0; row < RoundFile::rows; ++row)
            for (int column = 0; column < RoundFile::columns; ++column)
                sum += round->kindAt(row, column) + round->hitsAt(row, column);
        if (sum < 0) __builtin_trap();
    } catch (dfc::lang::DExceptionPtr&) {
    }
    return 0;
}
