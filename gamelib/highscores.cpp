#include "highscores.h"
#include "ddataoutputstream.h"
#include "dexception.h"
#include "recordreport.h"
#include "storedrecord.h"

using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DDataOutputStream;
using dfc::io::DDataOutputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

namespace {

const char16_t* const replaced = u"the defaults replace them";

DStringPtr tableName(const DStringPtr& store) { return u"high scores " + store; }

}  // namespace

DStringPtr HighScores::storeName(const DStringPtr& prefix, int number) { return prefix + u"hs" + number; }

bool HighScores::load(const DStringPtr& prefix, int number, DStringArrayPtr* names, DintArrayPtr* scores) {
    DStringPtr store = storeName(prefix, number);
    try {
        DDataInputStreamPtr in = StoredRecord::read(store);
        if (!in) return false;
        int count = in->readUnsignedByte();
        if (count == 0) {
            RecordReport::unreadable(store, tableName(store), u"the table has no entries", replaced);
            return false;
        }
        DStringArrayPtr readNames = new DStringArray(count);
        DintArrayPtr readScores = new DintArray(count);
        for (int i = 0; i < count; ++i) {
            (*readNames)[i] = in->readUTF();
            (*readScores)[i] = in->readInt();
        }
        *names = readNames;
        *scores = readScores;
        return true;
    } catch (DExceptionPtr& e) {
        RecordReport::unreadable(store, tableName(store), RecordReport::reasonOf(e), replaced);
        return false;
    }
}

void HighScores::save(const DStringPtr& prefix, int number, const DStringArrayPtr& names, const DintArrayPtr& scores) {
    DStringPtr store = storeName(prefix, number);
    try {
        DByteArrayOutputStreamPtr bytes = new DByteArrayOutputStream();
        DDataOutputStreamPtr out = new DDataOutputStream(bytes);
        out->write(names->length);
        for (int i = 0; i < names->length; ++i) {
            out->writeUTF((*names)[i]);
            out->writeInt((*scores)[i]);
        }
        StoredRecord::write(store, bytes);
    } catch (DExceptionPtr& e) {
        RecordReport::unsaved(store, tableName(store), e);
    }
}

void HighScores::defaults(const DStringPtr& emptyText, DStringArrayPtr* names, DintArrayPtr* scores) {
    *names = new DStringArray(defaultEntries);
    *scores = new DintArray(defaultEntries);
    for (int i = 0; i < defaultEntries; ++i) (**names)[i] = emptyText + u" ";
}

void HighScores::insert(const DStringArrayPtr& names, const DintArrayPtr& scores, const DStringPtr& name, int score) {
    int at = 0;
    while (at < scores->length && (*scores)[at] >= score) ++at;
    if (at == scores->length) return;
    for (int i = scores->length - 1; i > at; --i) {
        (*names)[i] = (*names)[i - 1];
        (*scores)[i] = (*scores)[i - 1];
    }
    (*names)[at] = name;
    (*scores)[at] = score;
}

bool HighScores::isHighScore(const DintArrayPtr& scores, int score) {
    if (!scores) return false;
    for (int i = scores->length - 1; i >= 0; --i)
        if ((*scores)[i] < score) return true;
    return false;
}
