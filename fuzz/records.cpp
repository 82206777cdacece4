// The saved records: a stored high-score table and a stored option, read back as the game menu
// reads them.
// Seeds:
// Timeout: 20 s
#include "drecordstore.h"
#include "fuzz_app.h"
#include "highscores.h"
#include "options.h"

namespace {

void store(const char16_t* name, const uint8_t* data, size_t size) {
    using dfc::microedition::rms::DRecordStore;
    dfc::microedition::rms::DRecordStorePtr records = DRecordStore::openRecordStore(name, true);
    dfc::lang::DbyteArrayPtr bytes = new dfc::lang::DbyteArray(int(size));
    for (size_t i = 0; i < size; ++i) bytes[int(i)] = int8_t(data[i]);
    records->setRecord(1, bytes, 0, bytes->length);
    records->closeRecordStore();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    store(u"fzhs1", data, size);
    store(u"op_fzsound", data, size);
    dfc::lang::DStringArrayPtr names;
    dfc::lang::DintArrayPtr scores;
    if (HighScores::load(u"fz", 1, &names, &scores)) HighScores::isHighScore(scores, 100);
    Options::load(u"fzsound", 2);
    return 0;
}
