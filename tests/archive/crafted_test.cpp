// Archives crafted to damage the reader (fuzz/make-archive-seeds.py writes them; they seed the
// archive fuzz target too): each is refused in one line naming the archive and the fault, and
// nothing is allocated on the way for what the archive claims, only for what it holds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <future>
#include <fstream>
#include <iterator>
#include <string>
#include "archive_fixture.h"
#include "d7zipinputstream.h"
#include "dioexception.h"
#include "text.h"

#if defined(__SANITIZE_ADDRESS__)
#define ARCHIVE_TEST_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ARCHIVE_TEST_HOOKS 1
#endif
#endif

using namespace dfc::io;
using namespace dfc::lang;

namespace {

struct Crafted {
    const char* file;
    const char16_t* entry;  // opened once the archive is
    const char* message;    // after "the data archive PATH: "
    size_t unpacked = 0;    // the bytes its packed header unpacks to, which the reader holds
};

const Crafted crafted[] = {
    {"oob-empty.dat", u"logo.png",
     "its header is damaged at byte 82: the main streams where the format allows none (repeated, or out of order)"},
    {"main-again-one-folder.dat", u"b.txt",
     "its header is damaged at byte 98: the main streams where the format allows none (repeated, or out of order)"},
    {"resize-2e31.dat", u"logo.png",
     "its header is damaged at byte 65: the folders where the format allows none (repeated, or out of order)"},
    {"resize-2e63.dat", u"logo.png",
     "its header is damaged at byte 69: the folders where the format allows none (repeated, or out of order)"},
    {"flipped-header-byte.dat", u"logo.png", "its header is damaged: it does not match its checksum"},
    {"copy-claims-2e63.dat", u"logo.png",
     "the entry logo.png is damaged: its folder claims 9223372036854775808 bytes and stores 1"},
    {"packed-past-end.dat", u"logo.png",
     "the entry logo.png is damaged: its packed bytes lie past the end of the file"},
    {"wrong-checksum.dat", u"keys.txt", "the entry keys.txt is damaged: its bytes do not match their checksum"},
    {"dictionary-128m.dat", u"keys.txt",
     "the entry keys.txt uses an LZMA dictionary of 128 MiB, more than the 64 MiB this program unpacks with"},
    {"huge-entry.dat", u"keys.txt",
     "the entry keys.txt is too large: it takes 256 MiB to unpack, more than the 64 MiB an entry may take"},
    {"count-past-header.dat", u"logo.png", "its header is damaged at byte 34: a count of 200 where 2 bytes remain"},
    {"property-past-header.dat", u"logo.png",
     "its header is damaged at byte 38: a property of 1000 bytes where 21 remain"},
    {"bound-pair-past-coders.dat", u"logo.png",
     "its header is damaged at byte 51: a bound pair of coders its folder lacks"},
    {"bound-pair-into-past-coders.dat", u"logo.png",
     "its header is damaged at byte 52: a bound pair of coders its folder lacks"},
    {"coder-feeds-two.dat", u"logo.png", "its header is damaged at byte 55: a coder that feeds two others"},
    {"coder-fed-by-two.dat", u"logo.png", "its header is damaged at byte 55: a coder fed by two others"},
    {"unknown-coder.dat", u"logo.png",
     "the unknown coder 0x7F0001 packs some of its entries: this program unpacks Copy and LZMA only"},
    {"copy-chain.dat", u"logo.png",
     "a chain of 2 coders packs some of its entries: this program unpacks Copy and LZMA only"},
    {"lzma-short-properties.dat", u"logo.png",
     "the LZMA coder with 3 bytes of properties packs some of its entries: this program unpacks Copy and LZMA only"},
    {"names-for-folders.dat", u"logo.png",
     "its header is damaged at byte 42: the names where the folder list should be"},
    {"unknown-for-folders.dat", u"logo.png",
     "its header is damaged at byte 42: the unknown property 0x19 where the folder list should be"},
    {"count-past-last-byte.dat", u"logo.png", "its header is damaged at byte 34: a count of 200 where 1 byte remains"},
    {"streams-past-folder.dat", u"a.txt", "its header is damaged at byte 55: streams larger than their folder"},
    {"names-past-count.dat", u"logo.png",
     "its header is damaged at byte 81: more names than the file list's count of 1"},
    {"name-half-character.dat", u"logo.png", "its header is damaged at byte 70: a name with half a character"},
    {"solid-behind-zeros.dat", u"logo.png",
     "a folder of 3 entries would be unpacked anew for each: 188744350 bytes in all, more than the 64 MiB a folder "
     "may take"},
    {"solid-past-2e64.dat", u"a.txt",
     "a folder of 2 entries would be unpacked anew for each: 18446744073709551615 bytes in all, more than the 64 MiB "
     "a folder may take"},
    {"files-2m-packed.dat", u"logo.png", "its header lists 2000000 files, more than the 16384 a data archive may hold",
     4'000'005},
    {"streams-20k-packed.dat", u"logo.png",
     "its header lists 20000 streams, more than the 16384 a data archive may hold", 30'029},
};

std::string craftedBytes(const char* file) {
    std::ifstream in(std::string(MOSSYARD_SOURCE_DIR) + "/fuzz/corpus/archive/" + file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The message of the refusal, of the archive or else of the entry; "" when neither is refused.
std::string refusal(const char16_t* entry) {
    try {
        D7zipInputStream::openArchive(u"game.dat", u"password");
        D7zipInputStream::open(entry);
    } catch (DIOExceptionPtr& e) {
        return narrow(e->getMessage());
    }
    return "";
}

#ifdef ARCHIVE_TEST_HOOKS
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));

// The largest single allocation while armed, as the sanitizer's allocator sees it (the
// decoder's own allocations included).
constexpr size_t pathsAndMessages = 1024;
bool armed = false;
size_t largest = 0;

void onMalloc(const volatile void*, size_t size) {
    if (armed && size > largest) largest = size;
}

void onFree(const volatile void*) {}
#endif

// Files as a user of no privileges reads them, for this thread, while it lasts: root would
// read a file whatever its mode says.
class UnprivilegedReads {
public:
    UnprivilegedReads() : root(geteuid() == 0) {
        if (root) setfsuid(nobody);
    }
    ~UnprivilegedReads() {
        if (root) setfsuid(0);
    }
    UnprivilegedReads(const UnprivilegedReads&) = delete;
    UnprivilegedReads& operator=(const UnprivilegedReads&) = delete;

private:
    static constexpr uid_t nobody = 65534;
    bool root;
};

}  // namespace

class CraftedArchive : public ArchiveTest {};

TEST_F(CraftedArchive, EachIsRefusedInOneLineNamingTheArchiveAndTheFault) {
    const std::string archive = "the data archive " + folder.file("game.dat") + ": ";
    EXPECT_EQ(refusal(u"logo.png"), archive + "it is missing, or is no regular file");
    folder.write("game.dat", "this is not an archive at all");
    EXPECT_EQ(refusal(u"logo.png"), archive + "it is no 7z archive");
    for (const Crafted& c : crafted) {
        const std::string bytes = craftedBytes(c.file);
        ASSERT_FALSE(bytes.empty()) << c.file;
        folder.write("game.dat", bytes);
        EXPECT_EQ(refusal(c.entry), archive + c.message) << c.file;
    }
}

TEST_F(CraftedArchive, AnArchiveThatMayNotBeReadIsRefusedWithTheSystemsReason) {
    folder.write("game.dat", craftedBytes("wrong-checksum.dat"));
    // Anyone may pass through the folder; no one but root may read the archive.
    ASSERT_EQ(chmod(folder.path().c_str(), 0711), 0);
    ASSERT_EQ(chmod(folder.file("game.dat").c_str(), 0), 0);
    std::string said;
    {
        UnprivilegedReads unprivileged;
        said = refusal(u"keys.txt");
    }
    EXPECT_EQ(said, "the data archive " + folder.file("game.dat") + ": permission to read it is denied");
}

TEST_F(CraftedArchive, APipeInTheArchivesPlaceIsRefusedWithoutWaitingForAWriter) {
    const std::string path = folder.file("game.dat");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    std::future<std::string> said = std::async(std::launch::async, [] { return refusal(u"logo.png"); });
    if (said.wait_for(std::chrono::seconds(30)) == std::future_status::timeout) {
        // A writer lets the waiting open go, so that the test ends.
        close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "the archive's open waits on the pipe";
    }
    EXPECT_EQ(said.get(), "the data archive " + path + ": it is missing, or is no regular file");
}

TEST_F(CraftedArchive, NothingIsAllocatedForWhatTheArchiveOnlyClaims) {
#ifdef ARCHIVE_TEST_HOOKS
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;
    ASSERT_TRUE(hooked);
    for (const Crafted& c : crafted) {
        const std::string bytes = craftedBytes(c.file);
        folder.write("game.dat", bytes);
        largest = 0;
        armed = true;
        const std::string said = refusal(c.entry);
        armed = false;
        EXPECT_FALSE(said.empty()) << c.file;
        // The file's bytes, or its unpacked header, at most, and the archive's path and the
        // message.
        EXPECT_LE(largest, std::max(bytes.size(), c.unpacked) + pathsAndMessages) << c.file;
    }
#else
    GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#endif
}
