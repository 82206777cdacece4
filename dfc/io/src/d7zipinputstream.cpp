#include "d7zipinputstream.h"
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include "ce.h"
#include "d7zipcoders.h"
#include "d7zipindex.h"
#include "d7zipreader.h"
#include "dbyterange.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "dsystem.h"

namespace dfc::io {

using namespace lang;

namespace {

// The one open archive: its file, held open, the index of its file entries, and which
// entries unpack with Copy and LZMA only.
struct Archive {
    HANDLE file = nullptr;
    std::unique_ptr<D7zipIndex> index;
    std::vector<bool> plain;
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

// Indexes the entries; the header is read for their coders first, before the 7z reader
// decodes any of it.
void indexEntries(HANDLE file, Archive& into) {
    struct File {
        std::string name;
        int ordinal;
    };
    const D7zipCoders coders(file);
    std::vector<File> files;
    D7zipReader reader(file);
    int ordinal = 0;
    for (; reader.next(); ++ordinal)
        if (!reader.isDirectory()) files.push_back(File{reader.name(), ordinal});
    // The two readings of one header must agree on its entries.
    if (size_t(ordinal) != coders.entryCount()) DFC_THROW(DIOException);
    into.index = std::make_unique<D7zipIndex>(files.size());
    for (File& f : files) into.index->add(std::move(f.name), f.ordinal);
    into.plain.clear();
    for (size_t i = 0; i < coders.entryCount(); ++i) into.plain.push_back(coders.isPlain(i));
}

std::vector<uint8_t> unpackEntry(HANDLE file, int ordinal, const std::string& name) {
    D7zipReader reader(file);
    for (int i = 0; i <= ordinal; ++i)
        if (!reader.next()) DFC_THROW(DIOException);
    // The file under the open archive may have been replaced since it was indexed.
    if (name != reader.name()) DFC_THROW(DIOException);
    return reader.readEntry();
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
    HANDLE file =
        CreateFileW(path->chars(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    // Only Copy and LZMA are ever asked of the 7z reader.
    if (!archive().plain[size_t(ordinal)]) {
        if (DSystem::err)
            DSystem::err->println(u"D7zipInputStream: the entry " + DStringPtr(new DString(key.c_str())) +
                                  u" uses a coder other than Copy or LZMA");
        DFC_THROW(DIOException);
    }
    try {
        return new D7zipInputStream(unpackEntry(archive().file, ordinal, key));
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
