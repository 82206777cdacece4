#include "d7zipfilelist.h"
#include <algorithm>
#include "platform.h"

namespace dfc::io {

using namespace d7zip;

D7zipFileList::D7zipFileList(D7zipBytes& in, const D7zipStreams& streams) {
    // Every entry has a name of at least its terminating 16-bit zero.
    const uint64_t count = in.count(2, "files");
    entries.resize(count);
    Placing seen;
    seen.emptyStream.assign(count, false);
    seen.named = count == 0;
    for (uint64_t type = in.number(); type != kEnd; type = in.number()) readProperty(in, type, seen);
    if (!seen.named) in.damagedHere("a file list without names");
    place(in, streams, seen);
}

void D7zipFileList::readProperty(D7zipBytes& in, uint64_t type, Placing& seen) {
    const uint64_t count = entries.size();
    D7zipBytes value = in.part(in.number());
    if (type == kEmptyStream) {
        if (seen.emptyStreamGiven) in.damagedHere("the empty streams given twice");
        seen.emptyStream = value.bits(count);
        seen.emptyStreamGiven = true;
    } else if (type == kEmptyFile) {
        if (seen.emptyFileGiven || !seen.emptyStreamGiven)
            in.damagedHere("the empty files twice or before the empty streams");
        seen.emptyFile = value.bits(uint64_t(std::count(seen.emptyStream.begin(), seen.emptyStream.end(), true)));
        seen.emptyFileGiven = true;
    } else if (type == kName) {
        if (seen.named) in.damagedHere("the names given twice");
        if (value.byte() != 0) value.damagedHere("names kept elsewhere, which no data archive has");
        for (D7zipEntry& entry : entries) entry.name = readName(value);
        value.expectNoMore("more names than the file list's count of " + std::to_string(count));
        seen.named = true;
    }
}

// A name of UTF-16 units up to its terminating zero, as UTF-8.
std::string D7zipFileList::readName(D7zipBytes& names) {
    std::u16string units;
    for (;;) {
        char16_t c = names.byte();
        c |= char16_t(names.byte() << 8);
        if (c == 0) return platform::narrow(units);
        units += c;
        if (c >= 0xD800 && c < 0xDC00) {
            char16_t low = names.byte();
            low |= char16_t(names.byte() << 8);
            if (low < 0xDC00 || low >= 0xE000) names.damagedHere("a name with half a character");
            units += low;
        }
    }
}

// Entries with data take the folders' unpacked streams in order.
void D7zipFileList::place(D7zipBytes& in, const D7zipStreams& streams, const Placing& seen) {
    size_t folder = 0, stream = 0, empties = 0;
    uint64_t taken = 0, offset = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        D7zipEntry& entry = entries[i];
        if (seen.emptyStream[i]) {
            const bool file = empties < seen.emptyFile.size() && seen.emptyFile[empties];
            entry.directory = !file;
            ++empties;
            continue;
        }
        while (folder < streams.folders.size() && taken == streams.folders[folder].unpackStreams) {
            ++folder;
            taken = 0;
            offset = 0;
        }
        if (folder == streams.folders.size() || stream >= streams.sizes.size() ||
            stream >= streams.digests.defined.size())
            in.damagedHere("a file list of more entries with data than the folders hold");
        entry.folder = int(folder);
        entry.offset = offset;
        entry.size = streams.sizes[stream];
        entry.hasCrc = streams.digests.defined[stream];
        entry.crc = streams.digests.values[stream];
        offset += entry.size;
        ++stream;
        ++taken;
    }
}

}  // namespace dfc::io
