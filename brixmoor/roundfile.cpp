#include "roundfile.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dioexception.h"
#include "gamelib.h"
#include "gametables.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DEOFExceptionPtr;
using dfc::io::DIOException;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;

namespace {

constexpr int carriageReturn = 13;
// Value, kind and hits of each legend letter: "a" to "j" give values 1 to 10.
constexpr int kinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 9};
constexpr int hits[] = {0, 2, 3, 1, 1, 1, 1, 1, 1, 2, 5};

[[noreturn]] void refuse(const DStringPtr& what) { throw DIOExceptionPtr(new DIOException(what)); }

}  // namespace

DStringPtr RoundFile::fileName(int round) {
    return DStringPtr(round < 10 ? u"/bxm/data/round0" : u"/bxm/data/round") + round + u".txt";
}

DStringPtr RoundFile::backgroundName(int round) {
    return DStringPtr(u"/bxm/img/back") + ((round - 1) % 5 + 1) + u".jpg";
}

RoundFilePtr RoundFile::load(int round) {
    DDataInputStreamPtr in = new DDataInputStream(GameLib::openResource(fileName(round)));
    try {
        RoundFilePtr file = read(in);
        in->close();
        return file;
    } catch (DIOExceptionPtr& e) {
        in->close();
        refuse(fileName(round) + u": " + DFailureReason::of(e));
    }
}

RoundFilePtr RoundFile::read(const DDataInputStreamPtr& in) {
    RoundFilePtr file = new RoundFile();
    for (int row = 0; row < rows; ++row) readRow(in, file->cells[row], row + 1);
    return file;
}

// A line ends at CR; the byte after it (the LF) is dropped. Bytes past the 11th are ignored.
void RoundFile::readRow(const DDataInputStreamPtr& in, const DintArrayPtr& row, int line) {
    int count = 0;
    try {
        for (int byte; (byte = in->readByte() & 0xFF) != carriageReturn; ++count)
            if (count < columns) row[count] = legendValue(byte);
        in->readByte();
    } catch (DEOFExceptionPtr&) {
        refuse(DStringPtr(u"the file ends in line ") + line + u" of 21");
    }
    if (count < columns) refuse(DStringPtr(u"line ") + line + u" holds " + count + u" cells, not 11");
}

int RoundFile::legendValue(int cell) {
    const DStringPtr& legend = GameTables::brixmoorLegend;
    return cell < 128 ? legend->indexOf(char16_t(cell)) + 1 : 0;
}

int RoundFile::kindOf(int value) { return kinds[value]; }

int RoundFile::hitsOf(int value) { return hits[value]; }

int RoundFile::hitsToClear() {
    int total = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const int kind = kindAt(row, column);
            if (kind != 3 && kind != 5) total += hitsAt(row, column);
        }
    return total;
}
