#include <cstdlib>
#include "ce_window.h"
#include "platform.h"

namespace platform {
namespace {

const KeyTable smartphoneKeys{VK_F1, VK_F2, VK_F8, VK_F9};
const KeyTable pocketPcKeys{VK_APP1, VK_APP4, VK_APP2, VK_APP3};

const Library coreDll{u"coredll.dll", {}};
const Library aygShell{u"aygshell.dll", {}};
const Library gx{u"gx.dll", {}};
const Library gxDma{u"gxdma.dll", {}};
const Library coreLink{u"CoreLinkLib.dll", {}};

// Processor identification values: the top bits tell the family.
constexpr DWORD arm920 = 0x41129200;
constexpr DWORD strongArm1110 = 0x6901B119;
constexpr DWORD xscalePxa250 = 0x69052100;

// The StrongARM LCD controller scanning the panel: enabled and active, the frame memory's
// address, pixels a line less 16, lines less 1.
LcdController strongArmLcd(const Panel& panel) {
    std::vector<DWORD> r(11, 0);
    r[0] = 0x81;
    r[4] = panel.frameMemory;
    r[8] = DWORD(panel.width - 16) & 0x3FF;
    r[9] = DWORD(panel.height - 1) & 0x3FF;
    return {LcdController::strongArm, r, true};
}

// The XScale LCD controller at 16 bits a pixel; switched off when the panel hangs on another chip.
LcdController xscaleLcd(int width, int height, bool enabled) {
    std::vector<DWORD> r(136, 0);
    r[0] = enabled ? 0x81 : 0;
    r[1] = DWORD(width - 1) & 0x3FF;
    r[2] = DWORD(height - 1) & 0x3FF;
    r[3] = 4u << 24;
    return {LcdController::xscale, r, true};
}

Profile base(std::string name, std::string description, std::u16string type, std::u16string oem, int width,
             int height, std::vector<Library> libraries) {
    Profile p;
    p.keys = type == u"SmartPhone" ? smartphoneKeys : pocketPcKeys;
    p.name = std::move(name);
    p.description = std::move(description);
    p.platformType = std::move(type);
    p.oemInfo = std::move(oem);
    p.screenWidth = width;
    p.screenHeight = height;
    p.libraries = {coreDll, aygShell};
    p.libraries.insert(p.libraries.end(), libraries.begin(), libraries.end());
    return p;
}

Profile smartphone() {
    Profile p = base("smartphone", "176 x 220 Smartphone, GAPI drawing into system memory", u"SmartPhone",
                     u"Smartphone", 176, 220, {gx});
    p.gapiDramBuffer = true;
    return p;
}

Profile pocketPc() {
    Profile p = base("pocketpc", "240 x 320 Pocket PC, GAPI on the frame memory", u"PocketPC", u"Pocket PC", 240,
                     320, {gx});
    p.processorId = arm920;
    return p;
}

Profile smartphoneDma() {
    Profile p = base("smartphone-dma", "176 x 220 Smartphone, driver frame buffer pushed by gxdma.dll",
                     u"SmartPhone", u"Smartphone DMA", 176, 220, {gxDma});
    p.gxInfoEscape = true;
    return p;
}

Profile landscape() {
    Profile p = base("landscape", "240 x 320 Pocket PC whose panel scans across, GAPI in system memory",
                     u"PocketPC", u"Pocket PC Landscape", 240, 320, {gx});
    p.panel.width = 320;
    p.panel.height = 240;
    p.panel.mounting = 1;
    p.gapiDramBuffer = true;
    return p;
}

Profile xscale() {
    Profile p = base("xscale", "240 x 320 Pocket PC, XScale LCD controller", u"PocketPC", u"Pocket PC XScale", 240,
                     320, {gx});
    p.processorId = xscalePxa250;
    p.lcd = xscaleLcd(240, 320, true);
    return p;
}

Profile ipaq3800() {
    Profile p = base("ipaq3800", "Compaq iPAQ H3800: StrongARM LCD controller, panel scanning across",
                     u"PocketPC", u"Compaq iPAQ H3800", 240, 320, {gx});
    p.processorId = strongArm1110;
    p.panel.width = 320;
    p.panel.height = 240;
    p.panel.pitch = 640;
    p.panel.palette.assign(16, 0);
    p.panel.palette[0] = 0x2000;  // 16 bits a pixel
    p.panel.mounting = 3;
    p.panel.frameMemory = 0xC0050000;
    p.lcd = strongArmLcd(p.panel);
    p.kernelAliases = {{0x8C000000, 0xC0000000, 0x02000000}, {0xAC000000, 0xC0000000, 0x02000000}};
    return p;
}

Profile e740() {
    Profile p = base("e740", "Toshiba e740: ATI Imageon overlay", u"PocketPC", u"Toshiba e740", 240, 320,
                     {gx, coreLink});
    p.processorId = xscalePxa250;
    p.lcd = xscaleLcd(240, 320, false);
    return p;
}

Profile mediaq() {
    Profile p = base("mediaq", "240 x 320 Pocket PC, slow MediaQ frame buffer", u"PocketPC", u"Pocket PC MediaQ",
                     240, 320, {gx});
    p.panel.frameMemory = 0x0A042000;  // high in the chip's 512 KB window
    p.slowMemoryNanosPerWord = 400;
    return p;
}

Profile vga() {
    Profile p = base("vga", "480 x 640 VGA Pocket PC, raw frame buffer", u"PocketPC", u"Pocket PC VGA", 480, 640,
                     {gx});
    p.rawFrameBufferEscape = true;
    return p;
}

Profile desktop() {
    Profile p = base("desktop", "320 x 240 handheld PC, GDI only, 24-bit screen", u"HPC", u"Handheld PC", 320,
                     240, {});
    p.screenBpp = 24;
    return p;
}

std::vector<Profile> makeProfiles() {
    return {smartphone(), pocketPc(), smartphoneDma(), landscape(), xscale(),
            ipaq3800(),   e740(),     mediaq(),        vga(),       desktop()};
}

const Profile* current = nullptr;

}  // namespace

const std::vector<Profile>& profiles() {
    static const std::vector<Profile> all = makeProfiles();
    return all;
}

const Profile* findProfile(std::string_view name) {
    for (const Profile& p : profiles())
        if (p.name == name) return &p;
    return nullptr;
}

const Profile& profile() {
    if (!current) {
        const char* chosen = std::getenv("MOSSYARD_PROFILE");
        current = chosen ? findProfile(chosen) : nullptr;
        if (!current) current = &profiles().front();
    }
    return *current;
}

void selectProfile(const Profile& p) { current = &p; }

}  // namespace platform
