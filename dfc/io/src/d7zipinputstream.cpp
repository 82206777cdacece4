#include "d7zipinputstream.h"
#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include "ce.h"
#include "ce_file.h"
#include "d7zipheader.h"
#include "d7zipindex.h"
#include "dbyterange.h"
#include "dfailurereason.h"
#include "dioexception.h"
#include "dsystem.h"
#include "platform.h"

namespace dfc::io {

using namespace lang;

namespace {

// The one open archive: its file, held open, its header, read once, the index of its file
// entries, and its path as the person at this machine names it, for messages.
struct Archive {
    HANDLE file = nullptr;
    std::unique_ptr<D7zipHeader> header;
    std::unique_ptr<D7zipIndex> index;
    DStringPtr shown;
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
    const std::vector<D7zipEntry>& entries = into.header->entries();
    size_t files = size_t(std::count_if(entries.begin(), entries.end(), [](const auto& e) { return !e.directory; }));
    into.index = std::make_unique<D7zipIndex>(files);
    for (size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].directory) into.index->add(entries[i].name, int(i));
}

// Why the archive's file did not open, as the system told it.
const char16_t* openFailure(DWORD error) {
    if (error == DWORD(ERROR_ACCESS_DENIED)) return u"permission to read it is denied";
    if (error == DWORD(ERROR_FILE_NOT_FOUND)) return u"it is missing, or is no regular file";
    return u"it cannot be opened";
}

// Every failure of the archive is one line naming the archive and what is wrong with it.
DStringPtr named(const DStringPtr& shown, const DStringPtr& why) { return u"the data archive " + shown + u": " + why; }

[[noreturn]] void refused(const DStringPtr& shown, const DStringPtr& why) {
    throw DIOExceptionPtr(new DIOException(named(shown, why)));
}

DStringPtr textOf(const std::string& utf8) { return new DString(platform::widen(utf8).c_str()); }

}  // namespace

void D7zipInputStream::openArchive(const DStringPtr& name, const DStringPtr& password) {
    closeArchive();
    if (!name || !password) DFC_THROW(DNullPointerException);
    DStringPtr path = DSystem::getProperty(u"app.fullpath") + u"\\" + name->replace(u'/', u'\\');
    const DStringPtr shown = new DString(HostPathOf(path->chars()).c_str());
    HANDLE file = CreateFileW(path->chars(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) refused(shown, openFailure(GetLastError()));
    Archive opened;
    opened.shown = shown;
    try {
        indexEntries(file, opened);
    } catch (DIOExceptionPtr& e) {
        CloseHandle(file);
        refused(shown, DFailureReason::of(e));
    } catch (std::exception&) {
        // Only the allocations fail so: a header too large for the memory left.
        CloseHandle(file);
        refused(shown, u"its header does not fit in memory");
    }
    opened.file = file;
    archive() = std::move(opened);
}

void D7zipInputStream::closeArchive() {
    if (!archive().index) return;
    CloseHandle(archive().file);
    archive() = Archive();
}

DStringPtr D7zipInputStream::archivePath() { return archive().shown; }

D7zipInputStreamPtr D7zipInputStream::open(const DStringPtr& name) {
    if (!name) DFC_THROW(DNullPointerException);
    if (!archive().index) throw DFileNotFoundExceptionPtr(new DFileNotFoundException(u"no data archive is open"));
    std::string key = entryName(name);
    int ordinal = archive().index->find(key);
    // Not found, unlike damaged: the caller may look elsewhere for a name the archive lacks.
    if (ordinal < 0)
        throw DFileNotFoundExceptionPtr(
            new DFileNotFoundException(named(archive().shown, u"it has no entry " + textOf(key))));
    const D7zipEntry& entry = archive().header->entries()[size_t(ordinal)];
    try {
        return new D7zipInputStream(archive().header->unpack(archive().file, entry));
    } catch (DIOExceptionPtr& e) {
        refused(archive().shown, DFailureReason::of(e));
    } catch (std::exception&) {
        refused(archive().shown, u"the entry " + textOf(key) + u" does not fit in memory");
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
