#include "tanklevelrecord.h"
#include "damagelog.h"
#include "ddatainputstream.h"
#include "dfailurereason.h"
#include "dioexception.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DInputStreamPtr;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DbyteArray;
using dfc::lang::DFailureReason;
using dfc::lang::DStringPtr;

namespace {

TankLevelRecordPtr refuse(const DStringPtr& why) {
    DamageLog::name(DStringPtr(u"tanks: level file damaged: ") + why);
    return nullptr;
}

}  // namespace

int64_t TankLevelRecord::recordOffset(int32_t widthTiles, int32_t heightTiles, int32_t level) {
    const int32_t record = ((level % recordCount) + recordCount) % recordCount;
    return int64_t(widthTiles * heightTiles + enemyCount) * record;
}

// Reads through the records before the wanted one, so that a short file shows as one.
TankLevelRecordPtr TankLevelRecord::read(const DInputStreamPtr& source, int32_t level) {
    DDataInputStreamPtr in = new DDataInputStream(source);
    TankLevelRecordPtr record = new TankLevelRecord();
    try {
        record->widthTiles = in->readUnsignedByte();
        record->heightTiles = in->readUnsignedByte();
        if (record->widthTiles == 0 || record->heightTiles == 0) return refuse(u"the field has no tiles");
        const int32_t size = record->widthTiles * record->heightTiles;
        record->tiles = new DbyteArray(size);
        record->types = new DbyteArray(enemyCount);
        const int64_t skip = recordOffset(record->widthTiles, record->heightTiles, level);
        for (int64_t skipped = 0; skipped < skip; skipped += size + enemyCount) {
            in->readFully(record->tiles);
            in->readFully(record->types);
        }
        in->readFully(record->tiles);
        in->readFully(record->types);
    } catch (DIOExceptionPtr& e) {
        return refuse(DStringPtr(u"record ") + (level % recordCount) + u" cannot be read: " + DFailureReason::of(e));
    }
    return record;
}
