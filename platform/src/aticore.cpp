// CoreLinkLib.dll: the graphics chip's own memory, surfaces in it, and overlays that show a
// surface over the panel's picture.
#include "ce.h"
#include "ce_gx.h"
#include "device.h"
#include "libraries.h"

using platform::device;

namespace {

constexpr DWORD surfaceAlignment = 4096;

platform::Device::Overlay* overlayOf(WORD id) {
    auto& overlays = device().imageon.overlays;
    if (id == 0 || id > overlays.size() || !overlays[id - 1].allocated) return nullptr;
    return &overlays[id - 1];
}

BOOL AtiCore_ProcessAttach() {
    device().enter("AtiCore_ProcessAttach");
    device().imageon.attached = true;
    return TRUE;
}

// The process's surfaces go with it.
BOOL AtiCore_ProcessDetach() {
    device().enter("AtiCore_ProcessDetach");
    auto& chip = device().imageon;
    chip.attached = chip.transferOpen = false;
    chip.nextOffset = 0;
    return TRUE;
}

BOOL AtiCore_AllocateSurface(WORD* surface, DWORD* offset, DWORD width, DWORD height) {
    device().enter("AtiCore_AllocateSurface", {width, height});
    auto& chip = device().imageon;
    uint64_t bytes = uint64_t(width) * height * 2;
    if (!chip.attached || !surface || !offset || chip.nextOffset + bytes > chip.memory.size()) return FALSE;
    *offset = chip.nextOffset;
    *surface = WORD(1 + chip.nextOffset / surfaceAlignment);
    chip.nextOffset += DWORD((bytes + surfaceAlignment - 1) / surfaceAlignment * surfaceAlignment);
    return TRUE;
}

BOOL AtiCore_DestroySurface(WORD surface) {
    device().enter("AtiCore_DestroySurface", {surface});
    return TRUE;
}

BOOL AtiCore_AllocOverlay(WORD* overlay) {
    device().enter("AtiCore_AllocOverlay");
    auto& overlays = device().imageon.overlays;
    for (size_t i = 0; i < overlays.size() && overlay; ++i) {
        if (overlays[i].allocated) continue;
        overlays[i] = platform::Device::Overlay{};
        overlays[i].allocated = true;
        *overlay = WORD(i + 1);
        return TRUE;
    }
    return FALSE;
}

BOOL AtiCore_ReleaseOverlay(WORD id) {
    device().enter("AtiCore_ReleaseOverlay", {id});
    auto* overlay = overlayOf(id);
    if (!overlay) return FALSE;
    *overlay = platform::Device::Overlay{};
    return TRUE;
}

BOOL AtiCore_SetupOverlay(WORD id, DWORD offset, DWORD width, DWORD height) {
    device().enter("AtiCore_SetupOverlay", {id, offset, width, height});
    auto* overlay = overlayOf(id);
    if (!overlay) return FALSE;
    overlay->offset = offset;
    overlay->width = width;
    overlay->height = height;
    return TRUE;
}

BOOL AtiCore_SetOverlayPos(WORD id, DWORD x, DWORD y) {
    device().enter("AtiCore_SetOverlayPos", {id, x, y});
    auto* overlay = overlayOf(id);
    if (!overlay) return FALSE;
    overlay->x = x;
    overlay->y = y;
    return TRUE;
}

BOOL AtiCore_SetOverlayOnOff(WORD id, BOOL on) {
    device().enter("AtiCore_SetOverlayOnOff", {id, on});
    auto* overlay = overlayOf(id);
    if (!overlay) return FALSE;
    overlay->on = on != FALSE;
    return TRUE;
}

BOOL AtiCore_WaitComplete(DWORD milliseconds) {
    device().enter("AtiCore_WaitComplete", {milliseconds});
    if (device().profile.imageonCompletes) return TRUE;
    Sleep(milliseconds);
    return FALSE;
}

BOOL AtiCore_SetupMemoryTransfer(DWORD offset, LPVOID* address) {
    device().enter("AtiCore_SetupMemoryTransfer", {offset});
    auto& chip = device().imageon;
    if (!chip.attached || !address || offset >= chip.memory.size()) return FALSE;
    *address = chip.memory.data() + offset;
    chip.transferOpen = true;
    return TRUE;
}

BOOL AtiCore_TerminateMemoryTransfer() {
    device().enter("AtiCore_TerminateMemoryTransfer");
    device().imageon.transferOpen = false;
    return TRUE;
}

}  // namespace

namespace platform {

const std::vector<Export>& coreLinkExports() {
    static const std::vector<Export> e{
        exported(u"AtiCore_ProcessAttach", AtiCore_ProcessAttach),
        exported(u"AtiCore_ProcessDetach", AtiCore_ProcessDetach),
        exported(u"AtiCore_AllocateSurface", AtiCore_AllocateSurface),
        exported(u"AtiCore_DestroySurface", AtiCore_DestroySurface),
        exported(u"AtiCore_AllocOverlay", AtiCore_AllocOverlay),
        exported(u"AtiCore_ReleaseOverlay", AtiCore_ReleaseOverlay),
        exported(u"AtiCore_SetupOverlay", AtiCore_SetupOverlay),
        exported(u"AtiCore_SetOverlayPos", AtiCore_SetOverlayPos),
        exported(u"AtiCore_SetOverlayOnOff", AtiCore_SetOverlayOnOff),
        exported(u"AtiCore_WaitComplete", AtiCore_WaitComplete),
        exported(u"AtiCore_SetupMemoryTransfer", AtiCore_SetupMemoryTransfer),
        exported(u"AtiCore_TerminateMemoryTransfer", AtiCore_TerminateMemoryTransfer),
    };
    return e;
}

}  // namespace platform
