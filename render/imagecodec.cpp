#include "imagecodec.h"
#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>
#include "ce_file.h"
#include "jpegreader.h"
#include "mappedfile.h"
#include "modulepath.h"
#include "pixelbudget.h"
#include "pngreader.h"

RenderSurface* ImageCodec::decode(const uint8_t* begin, const uint8_t* end, Oversize* oversize) {
    static const uint8_t pngSignature[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    size_t size = begin && end > begin ? size_t(end - begin) : 0;
    if (size >= sizeof pngSignature && std::memcmp(begin, pngSignature, sizeof pngSignature) == 0)
        return readPng(begin, size, oversize);
    return readJpeg(begin, size, oversize);
}

bool ImageCodec::fits(uint32_t width, uint32_t height, Oversize* oversize) {
    const uint64_t pixels = uint64_t(width) * height;
    if (pixels <= maxPixels && pixels <= PixelBudget::room()) return true;
    if (oversize) *oversize = {width, height};
    return false;
}

namespace {

constexpr uint32_t bmpHeaderBytes = 66;

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

// File header and information header of a 16-bit bottom-up bitmap with RGB565 masks.
std::vector<uint8_t> bmpHeader(uint32_t width, uint32_t height, uint32_t imageBytes) {
    std::vector<uint8_t> h{'B', 'M'};
    putLittleEndian(h, bmpHeaderBytes + imageBytes, 4);
    putLittleEndian(h, 0, 4);
    putLittleEndian(h, bmpHeaderBytes, 4);
    putLittleEndian(h, 40, 4);
    putLittleEndian(h, width, 4);
    putLittleEndian(h, height, 4);
    putLittleEndian(h, 1, 2);
    putLittleEndian(h, 16, 2);
    putLittleEndian(h, 3, 4);  // bit fields
    putLittleEndian(h, imageBytes, 4);
    h.resize(h.size() + 16, 0);  // resolution and colour counts
    for (uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) putLittleEndian(h, mask, 4);
    return h;
}

bool writeAll(HANDLE file, const std::vector<uint8_t>& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
}

bool writeBmp(HANDLE file, const Surface& pixels) {
    uint64_t rowBytes = (2 * uint64_t(pixels.width) + 3) & ~uint64_t(3);
    uint64_t imageBytes = rowBytes * pixels.height;
    if (bmpHeaderBytes + imageBytes > UINT32_MAX) return false;
    if (!writeAll(file, bmpHeader(pixels.width, pixels.height, uint32_t(imageBytes)))) return false;
    std::vector<uint8_t> row(rowBytes, 0);
    for (uint32_t y = pixels.height; y-- > 0;) {
        const uint16_t* p = pixels.pixelAddress(0, y);
        for (uint32_t x = 0; x < pixels.width; ++x) {
            row[2 * x] = uint8_t(p[x]);
            row[2 * x + 1] = uint8_t(p[x] >> 8);
        }
        if (!writeAll(file, row)) return false;
    }
    return true;
}

}  // namespace

RenderSurface* ImageCodec::decodeFile(const WCHAR* name) {
    MappedFile file;
    if (!file.open(name)) return nullptr;
    return decode(file.begin(), file.end());
}

bool ImageCodec::saveBMP(RenderSurface* surface, const WCHAR* name) {
    if (!surface || !name || !surface->getSurface()) return false;
    static const WCHAR extension[] = u".bmp";
    WCHAR path[maxPathLength];
    int length = resolveModulePath(name, path);
    if (length == 0 || length + std::size(extension) > size_t(maxPathLength)) return false;
    std::copy(std::begin(extension), std::end(extension), path + length);
    int32_t pitch = 0;
    void* pixels = nullptr;
    if (!surface->lock(&pitch, &pixels)) return false;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool saved = file != INVALID_HANDLE_VALUE && writeBmp(file, *surface->getSurface());
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    surface->unlock();
    return saved;
}
