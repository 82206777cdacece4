// The simulated device's hardware, private to platform/: physical memory with the panel's
// frame memory and the LCD controller's registers, the display libraries' own state, and the
// clock the hardware follows. Built from the current profile; resetState starts it anew.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>
#include "ce_gx.h"
#include "physicalmemory.h"
#include "platform.h"
#include "systemmemory.h"

namespace platform {

class Device {
public:
    explicit Device(const Profile& profile);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const Profile& profile;
    int nativeWidth;
    int nativeHeight;
    int pitch;
    int paletteBytes;
    int uprightWidth;
    int uprightHeight;

    // Physical memory holding [physical, physical + bytes); null when there is none.
    const PhysicalMemory* memoryAt(DWORD physical, size_t bytes) const;
    // The physical address behind a kernel-static virtual address; false when none.
    bool kernelToPhysical(DWORD address, DWORD* physical) const;
    bool hasLibrary(const std::u16string& name) const;

    // The frame memory's first pixel in the platform's own view, and in the view the display
    // libraries hand to the program (placed like the physical memory within a megabyte).
    uint8_t* panelPixels() const { return frame->view + paletteBytes; }
    uint8_t* programPixels() const { return programView + paletteBytes; }
    // Byte offset of the upright picture's pixel (x, y) from the frame memory's first pixel.
    ptrdiff_t uprightOffset(int x, int y) const;
    // The panel as the user sees it, into the picture's own pixels.
    void readPicture(Picture& picture) const;

    // The hardware catches up with the clock: the LCD's scan position moves on, and writes to
    // slow frame memory cost their time.
    void sync();
    int64_t micros() const;

    // A display library's entry point was called: noted in the call log, and a hardware fault
    // raised when the profile makes the entry fault.
    void enter(const char* entry, std::initializer_list<long long> arguments = {});

    bool kernelMode = false;
    BOOL allKeys = FALSE;

    struct Gapi {
        bool open = false;
        bool suspended = false;
        DWORD viewportTop = 0;
        DWORD viewportHeight = 0;
        SystemMemory dram;  // empty: GAPI hands out the frame memory itself
    } gapi;
    GXDisplayProperties gapiProperties() const;
    uint8_t* gapiPixels();
    void gapiEndDraw();

    // gxdma.dll's frame buffer in system memory, and when its last transfer ends.
    SystemMemory dmaBuffer;
    int64_t dmaBusyUntil = 0;

    struct Overlay {
        bool allocated = false;
        bool on = false;
        DWORD offset = 0;
        DWORD width = 0;
        DWORD height = 0;
        DWORD x = 0;
        DWORD y = 0;
    };
    struct Imageon {
        bool attached = false;
        bool transferOpen = false;
        std::vector<uint8_t> memory;  // the chip's own memory
        DWORD nextOffset = 0;
        std::vector<Overlay> overlays;
    } imageon;

private:
    void scanLcd();
    void chargeSlowWrites();
    void drawOverlay(Picture& picture, const Overlay& overlay) const;

    std::vector<std::unique_ptr<PhysicalMemory>> memory;
    PhysicalMemory* frame = nullptr;
    PhysicalMemory* lcdRegisters = nullptr;
    uint8_t* programView = nullptr;
    std::vector<uint8_t> slowShadow;
    int64_t owedNanos = 0;
};

// The device of the current profile.
Device& device();
void resetDevice();

// Physical addresses of the LCD controllers' register blocks and their sizes in bytes.
constexpr DWORD strongArmLcdBase = 0xB0100000;
constexpr size_t strongArmLcdBytes = 44;
constexpr DWORD xscaleLcdBase = 0x44000000;
constexpr size_t xscaleLcdBytes = 544;

}  // namespace platform
