#pragma once
#include <cstdint>
#include <vector>
#include "d7zipinputstream.ptr"
#include "dinputstream.h"
#include "dstring.h"

namespace dfc::io {

// One entry of the data archive, unpacked into memory. The archive (one at a time) is opened
// once; each open unpacks one entry, and the stream keeps its bytes after closeArchive.
class D7zipInputStream : public DInputStream {
public:
    // Opens the archive name in the executable's folder and indexes its entries. The password
    // must be given but the archive is read without decryption. An archive that does not open
    // (with the system's reason), a file that is no 7z archive and a damaged header throw
    // DIOException, its message one line naming the archive by its host path and the fault
    // ("the data archive /x/game.dat: it is missing").
    static void openArchive(const lang::DStringPtr& name, const lang::DStringPtr& password);
    static void closeArchive();
    // The open archive's path as the person at this machine names it; null when none is open.
    static lang::DStringPtr archivePath();
    // "/menu/back.jpg", "menu/back.jpg" and "\menu\back.jpg" name the entry menu/back.jpg.
    // A name not in the archive or no open archive throws DFileNotFoundException; an entry that
    // cannot be unpacked (damaged, too large, another coder) DIOException; each message names
    // the archive and entry.
    static D7zipInputStreamPtr open(const lang::DStringPtr& name);

    ~D7zipInputStream() override = default;
    void finalize() override { close(); }
    int available() override { return int(size - pos); }
    using DInputStream::read;
    int read(const lang::DbyteArrayPtr& b, int off, int len) override;
    int read() override { return pos < size ? bytes[pos++] : -1; }
    void close() override;
    void reset() override { pos = 0; }
    // Stops at the end; a negative n moves back, never before the start.
    int64_t skip(int64_t n) override;

    // The entry's bytes, for decoders that read them in place.
    const uint8_t* getData() const { return bytes.data(); }
    uint32_t getSize() const { return size; }

private:
    explicit D7zipInputStream(std::vector<uint8_t> entry) : bytes(std::move(entry)), size(uint32_t(bytes.size())) {}

    std::vector<uint8_t> bytes;
    uint32_t size;
    uint32_t pos = 0;
};

}  // namespace dfc::io
