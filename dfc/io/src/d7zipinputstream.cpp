#include "d7zipinputstream.h"
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include "ce.h"
#include "d7zipheader.h"
#include "d7zipindex.h"
#include "dbyterange.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "dsystem.h"

namespace dfc::io {

using namespace lang;

namespace {

// The one open archive: its file, held open, its header, read once, and the index of its
// file entries.
struct Archive {
    HANDLE file = nullptr;
    std::unique_ptr<D7zipHeader> header;
    std::unique_ptr<D7zipIndex> index;
};

Archive& archive() {
    static Archive open;
    return open;
}

// Entry names use "/" and no leading "/"; the low 8 bits of each unit make its bytes.
std::string entryName(const DStringPtr& name) {
    DStringPtr key = name->replace(u'\\', u'/');
    int skip = key->startsWith(u"/") ? 1 : 0;
    std::string bytes;
    for (int i = skip; i < key->length(); ++i) bytes += char(key->chars()[i] & 0xFF);
    return bytes;
}

void indexEntries(HANDLE file, Archive& into) {
    into.header = std::make_unique<D7zipHeader>(file);
    const std::vector<D7zipHeader::Entry>& entries = into.header->entries();
    size_t files = size_t(std::count_if(entries.begin(), entries.end(), [](const auto& e) { return !e.directory; }));
    into.index = std::make_unique<D7zipIndex>(files);
    for (size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].directory) into.index->add(entries[i].name, int(i));
}

// An entry that is there but does not unpack is named, since its exception only says where it was thrown.
void damagedEntry(const std::string& key) {
    if (DSystem::err)
        DSystem::err->println(u"D7zipInputStream: the entry " + DStringPtr(new DString(key.c_str())) + u" is damaged");
}

}  // namespace

void D7zipInputStream::openArchive(const DStringPtr& name, const DStringPtr& password) {
    closeArchive();
    if (!name || !password) DFC_THROW(DNullPointerException);
    DStringPtr path = DSystem::getProperty(u"app.fullpath") + u"\\" + name->replace(u'/', u'\\');
    HANDLE file = CreateFileW(path->chars(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) DFC_THROW(DIOException);
    Archive opened;
    try {
        indexEntries(file, opened);
    } catch (std::bad_alloc&) {
        CloseHandle(file);
        DFC_THROW(DIOException);
    } catch (...) {
        CloseHandle(file);
        throw;
    }
    opened.file = file;
    archive() = std::move(opened);
}

void D7zipInputStream::closeArchive() {
    if (!archive().index) return;
    CloseHandle(archive().file);
    archive() = Archive();
}

D7zipInputStreamPtr D7zipInputStream::open(const DStringPtr& name) {
    if (!name) DFC_THROW(DNullPointerException);
    if (!archive().index) DFC_THROW(DIOException);
    std::string key = entryName(name);
    int ordinal = archive().index->find(key);
    if (ordinal < 0) DFC_THROW(DIOException);
    const D7zipHeader::Entry& entry = archive().header->entries()[size_t(ordinal)];
    // Only Copy and LZMA are ever unpacked.
    if (!archive().header->isPlain(entry)) {
        if (DSystem::err)
            DSystem::err->println(u"D7zipInputStream: the entry " + DStringPtr(new DString(key.c_str())) +
                                  u" uses a coder other than Copy or LZMA");
        DFC_THROW(DIOException);
    }
    try {
        return new D7zipInputStream(archive().header->unpack(archive().file, entry));
    } catch (std::bad_alloc&) {
        damagedEntry(key);
        DFC_THROW(DIOException);
    } catch (DIOExceptionPtr&) {
        damagedEntry(key);
        throw;
    }
}

int D7zipInputStream::read(const DbyteArrayPtr& b, int off, int len) {
    checkRange(b, off, len);
    int n = readCount(pos, size, len);
    if (n <= 0) return n;
    std::memcpy(b->data + off, bytes.data() + pos, size_t(n));
    pos += uint32_t(n);
    return n;
}

void D7zipInputStream::close() {
    std::vector<uint8_t>().swap(bytes);
    size = 0;
    pos = 0;
}

int64_t D7zipInputStream::skip(int64_t n) {
    n = skipDistance(n, pos, size);
    pos = uint32_t(pos + n);
    return n;
}

}  // namespace dfc::io
