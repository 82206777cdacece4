#include "device.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "ce_processor.h"
#include "libraries.h"

namespace platform {
namespace {

constexpr int64_t lcdFrameMicros = 16000;
constexpr int lcdBlankLines = 8;
// The scan position registers: StrongARM's current DMA address, XScale's DMA command word.
constexpr int strongArmCurrentAddress = 5;
constexpr int strongArmBaseAddress = 4;
constexpr int xscaleDmaCommand = 0x20C / 4;
constexpr DWORD xscalePaletteLoad = 1u << 26;
constexpr size_t imageonMemoryBytes = 2 << 20;
constexpr size_t maxLoggedCalls = 4096;

void fillWhite(uint8_t* bytes, size_t count) { std::memset(bytes, 0xFF, count); }

}  // namespace

std::vector<std::string>& libraryCalls() {
    static auto* calls = new std::vector<std::string>;
    return *calls;
}

Device::Device(const Profile& p) : profile(p) {
    const Panel& panel = p.panel;
    bool turned = panel.mounting % 2 != 0;
    nativeWidth = panel.width ? panel.width : turned ? p.screenHeight : p.screenWidth;
    nativeHeight = panel.height ? panel.height : turned ? p.screenWidth : p.screenHeight;
    pitch = panel.pitch ? panel.pitch : 2 * nativeWidth;
    paletteBytes = int(2 * panel.palette.size());
    uprightWidth = turned ? nativeHeight : nativeWidth;
    uprightHeight = turned ? nativeWidth : nativeHeight;

    size_t pixelBytes = size_t(pitch) * nativeHeight;
    memory.push_back(std::make_unique<PhysicalMemory>(panel.frameMemory, paletteBytes + pixelBytes));
    frame = memory.back().get();
    if (!panel.palette.empty()) std::memcpy(frame->view, panel.palette.data(), paletteBytes);
    fillWhite(panelPixels(), pixelBytes);
    // The program's view keeps the physical address's place within a megabyte, as the
    // device's own mapping of its graphics memory does.
    programView = frame->mapAligned(1 << 20);
    if (!programView) {
        std::perror("mossyard: mapping the simulated frame memory");
        std::abort();
    }

    if (p.lcd.kind != LcdController::none) {
        bool arm = p.lcd.kind == LcdController::strongArm;
        size_t bytes = arm ? strongArmLcdBytes : xscaleLcdBytes;
        memory.push_back(std::make_unique<PhysicalMemory>(arm ? strongArmLcdBase : xscaleLcdBase, bytes));
        lcdRegisters = memory.back().get();
        size_t words = std::min(p.lcd.registers.size(), bytes / 4);
        std::memcpy(lcdRegisters->view, p.lcd.registers.data(), words * 4);
    }

    if (p.gapiDramBuffer) gapi.dram.assign(pixelBytes, 0xFF);
    if (hasLibrary(u"gxdma.dll")) dmaBuffer.assign(pixelBytes, 0xFF);
    if (hasLibrary(u"CoreLinkLib.dll")) {
        imageon.memory.assign(imageonMemoryBytes, 0);
        imageon.overlays.resize(std::max(p.imageonOverlays, 0));
    }
    if (p.slowMemoryNanosPerWord > 0) slowShadow.assign(panelPixels(), panelPixels() + pixelBytes);
    scanLcd();
}

Device::~Device() { frame->unmapView(programView); }

const PhysicalMemory* Device::memoryAt(DWORD physical, size_t bytes) const {
    for (const auto& m : memory)
        if (m->contains(physical, bytes)) return m.get();
    return nullptr;
}

bool Device::kernelToPhysical(DWORD address, DWORD* physical) const {
    for (const KernelAlias& a : profile.kernelAliases) {
        if (address >= a.virtualBase && address - a.virtualBase < a.size) {
            *physical = a.physicalBase + (address - a.virtualBase);
            return true;
        }
    }
    return false;
}

bool Device::hasLibrary(const std::u16string& name) const {
    return std::any_of(profile.libraries.begin(), profile.libraries.end(),
                       [&](const Library& l) { return sameLibraryName(l.name, name); });
}

ptrdiff_t Device::uprightOffset(int x, int y) const {
    const ptrdiff_t w = uprightWidth, h = uprightHeight;
    switch (profile.panel.mounting & 3) {
    case 1: return ptrdiff_t(x) * pitch + (h - 1 - y) * 2;
    case 2: return (w - 1 - x) * 2 + (h - 1 - y) * pitch;
    case 3: return ptrdiff_t(y) * 2 + (w - 1 - x) * pitch;
    default: return ptrdiff_t(y) * pitch + ptrdiff_t(x) * 2;
    }
}

void Device::readPicture(Picture& picture) const {
    picture.width = uprightWidth;
    picture.height = uprightHeight;
    picture.pixels.resize(size_t(uprightWidth) * uprightHeight);
    const uint8_t* pixels = panelPixels();
    bool upright = (profile.panel.mounting & 3) == 0;
    for (int y = 0; y < uprightHeight; ++y) {
        uint16_t* row = &picture.pixels[size_t(y) * uprightWidth];
        if (upright) {
            std::memcpy(row, pixels + uprightOffset(0, y), 2 * size_t(uprightWidth));
            continue;
        }
        for (int x = 0; x < uprightWidth; ++x) std::memcpy(row + x, pixels + uprightOffset(x, y), 2);
    }
    for (const Overlay& o : imageon.overlays)
        if (o.allocated && o.on) drawOverlay(picture, o);
}

void Device::drawOverlay(Picture& picture, const Overlay& o) const {
    for (DWORD y = 0; y < o.height && o.y + y < DWORD(picture.height); ++y) {
        for (DWORD x = 0; x < o.width && o.x + x < DWORD(picture.width); ++x) {
            size_t at = o.offset + (size_t(y) * o.width + x) * 2;
            if (at + 2 > imageon.memory.size()) return;
            std::memcpy(&picture.pixels[size_t(o.y + y) * picture.width + o.x + x], &imageon.memory[at], 2);
        }
    }
}

int64_t Device::micros() const {
    int64_t frequency = backend().performanceFrequency();
    return frequency > 0 ? backend().performanceCounter() * 1000000 / frequency : 0;
}

void Device::sync() {
    scanLcd();
    chargeSlowWrites();
}

void Device::scanLcd() {
    if (!lcdRegisters) return;
    auto* registers = reinterpret_cast<DWORD*>(lcdRegisters->view);
    int lines = nativeHeight + lcdBlankLines;
    int line = profile.lcd.scanning ? int((micros() % lcdFrameMicros) * lines / lcdFrameMicros) : nativeHeight;
    bool blank = line >= nativeHeight;
    if (profile.lcd.kind == LcdController::strongArm) {
        DWORD base = registers[strongArmBaseAddress];
        registers[strongArmCurrentAddress] = blank ? base : base + paletteBytes + DWORD(line) * pitch;
    } else {
        registers[xscaleDmaCommand] = blank ? xscalePaletteLoad : (DWORD(line) * pitch) & 0x1FFFFF;
    }
}

void Device::chargeSlowWrites() {
    if (slowShadow.empty()) return;
    size_t words = slowShadow.size() / 4;
    const uint8_t* now = panelPixels();
    int64_t changed = 0;
    for (size_t i = 0; i < words; ++i) {
        if (std::memcmp(now + 4 * i, &slowShadow[4 * i], 4) == 0) continue;
        std::memcpy(&slowShadow[4 * i], now + 4 * i, 4);
        ++changed;
    }
    owedNanos += changed * profile.slowMemoryNanosPerWord;
    if (owedNanos < 1000000) return;
    DWORD ms = DWORD(owedNanos / 1000000);
    owedNanos -= int64_t(ms) * 1000000;
    backend().sleep(ms);
}

void Device::enter(const char* entry, std::initializer_list<long long> arguments) {
    std::string call = std::string(entry) + "(";
    for (long long a : arguments) call += (call.back() == '(' ? "" : ",") + std::to_string(a);
    auto& calls = libraryCalls();
    if (calls.size() >= maxLoggedCalls) calls.erase(calls.begin(), calls.begin() + maxLoggedCalls / 2);
    calls.push_back(call + ")");
    std::u16string name = widen(entry);
    for (const auto& faulting : profile.faultingEntries)
        if (faulting == name) throw HardwareFault{};
}

GXDisplayProperties Device::gapiProperties() const {
    ptrdiff_t origin = uprightOffset(0, 0);
    return GXDisplayProperties{DWORD(uprightWidth), DWORD(uprightHeight), LONG(uprightOffset(1, 0) - origin),
                               LONG(uprightOffset(0, 1) - origin), 16, 0};
}

uint8_t* Device::gapiPixels() { return (gapi.dram.empty() ? programPixels() : gapi.dram.data()) + uprightOffset(0, 0); }

void Device::gapiEndDraw() {
    if (gapi.dram.empty()) return;
    DWORD top = 0, bottom = uprightHeight;
    if (gapi.viewportHeight) {
        top = std::min<DWORD>(gapi.viewportTop, uprightHeight);
        bottom = std::min<DWORD>(top + gapi.viewportHeight, uprightHeight);
    }
    if (top >= bottom) return;
    // The upright rows are a rectangle of the memory too, whichever way the panel is mounted.
    ptrdiff_t corners[2] = {uprightOffset(0, int(top)), uprightOffset(uprightWidth - 1, int(bottom) - 1)};
    ptrdiff_t firstRow = std::min(corners[0], corners[1]) / pitch, lastRow = std::max(corners[0], corners[1]) / pitch;
    ptrdiff_t firstColumn = std::min(corners[0] % pitch, corners[1] % pitch);
    ptrdiff_t lastColumn = std::max(corners[0] % pitch, corners[1] % pitch);
    for (ptrdiff_t row = firstRow; row <= lastRow; ++row) {
        ptrdiff_t at = row * pitch + firstColumn;
        std::memcpy(panelPixels() + at, gapi.dram.data() + at, size_t(lastColumn - firstColumn + 2));
    }
}

namespace {
// Lives on through the program's exit, when the program may still be closing its display.
std::unique_ptr<Device>& current() {
    static auto* d = new std::unique_ptr<Device>;
    return *d;
}
}  // namespace

Device& device() {
    auto& d = current();
    if (!d || &d->profile != &profile()) {
        d.reset();
        d = std::make_unique<Device>(profile());
    }
    return *d;
}

void resetDevice() {
    current().reset();
    libraryCalls().clear();
}

}  // namespace platform
