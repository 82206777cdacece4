#include "d7zipfolder.h"
#include "d7ziplzma.h"
#include "d7zippackedstream.h"
#include "d7ziprefusal.h"

namespace dfc::io {

using namespace d7zip;

void D7zipFolder::checkCoder(const std::string& packed) const {
    if (coder == Coder::other) refuse(otherCoder + " packs " + packed + ": this program unpacks Copy and LZMA only");
}

void D7zipFolder::checkDictionary(const std::string& subject) const {
    if (coder == Coder::lzma && dictionaryOf(lzmaProperties) > maxDictionary)
        refuse(subject + " uses an LZMA dictionary of " + sizeText(dictionaryOf(lzmaProperties)) + ", more than the " +
               sizeText(maxDictionary) + " this program unpacks with");
}

void D7zipFolder::checkStored(const D7zipFile& file, const std::string& subject) const {
    const uint64_t fileSize = file.size();
    if (packStart > fileSize || packSize > fileSize - packStart)
        damaged(subject, "its packed bytes lie past the end of the file");
    if (coder == Coder::copy && packSize != unpackSize)
        damaged(subject,
                "its folder claims " + countText(unpackSize, "byte") + " and stores " + std::to_string(packSize));
}

std::vector<uint8_t> D7zipFolder::unpack(const D7zipFile& file, uint64_t wanted, const std::string& subject) const {
    if (coder == Coder::lzma) {
        D7zipPackedStream packed(file, packStart, packSize);
        return unpackLzma(packed, lzmaProperties, wanted, subject);
    }
    return file.read(packStart, wanted);
}

}  // namespace dfc::io
