#include "driverimageon100.h"
#include "millisecondclock.h"

namespace {

constexpr int completionPolls = 32;
constexpr DWORD completionTimeout = 100;

}  // namespace

DriverImageon100::~DriverImageon100() {
    if (!ati) return;
    EndTransfer();
    if (overlay) ati->ReleaseOverlay(overlay);
    if (hasSurface) ati->DestroySurface(surfaceId);
    if (attached) ati->ProcessDetach();
}

bool DriverImageon100::Initialize(HWND window, const DisplayParameters&, const VideoMode& detected) {
    if (overlay || !IsWindow(window)) return false;
    ati = std::make_unique<AtiCoreLibrary>();
    if (!ati->IsUsable()) return false;
    mode = VideoMode{detected.width, detected.height, 16, 2 * detected.width, 0, SWAP_CAPABILITY_NONE, nullptr};
    transfer.width = mode.width;
    transfer.height = mode.height;
    transfer.pitch = int32_t(mode.pitch);
    return OpenOverlay();
}

bool DriverImageon100::OpenOverlay() {
    attached = ati->ProcessAttach() != FALSE;
    if (!attached) return false;
    hasSurface = ati->AllocateSurface(&surfaceId, &surfaceOffset, mode.width, mode.height) != FALSE;
    if (!hasSurface || !ati->AllocOverlay(&overlay)) return false;
    return ati->SetupOverlay(overlay, surfaceOffset, mode.width, mode.height) && ati->SetOverlayPos(overlay, 0, 0) &&
           ati->SetOverlayOnOff(overlay, TRUE);
}

// The chip must be done with the surface before the processor writes it; a chip that never
// says so is waited for a while, then written anyway.
Surface* DriverImageon100::GetSurface() {
    DWORD start = MillisecondClock();
    for (int poll = 0; poll < completionPolls && MillisecondClock() - start < hardwareWaitLimit; ++poll)
        if (ati->WaitComplete(completionTimeout)) break;
    LPVOID address = nullptr;
    if (!ati->SetupMemoryTransfer(surfaceOffset, &address) || !address) return nullptr;
    transferOpen = true;
    transfer.setPixels(address);
    return &transfer;
}

void DriverImageon100::Present(DWORD) { EndTransfer(); }

void DriverImageon100::EndTransfer() {
    if (transferOpen) ati->TerminateMemoryTransfer();
    transferOpen = false;
}

void DriverImageon100::suspend() {
    EndTransfer();
    ati->SetOverlayOnOff(overlay, FALSE);
}

void DriverImageon100::resume() { ati->SetOverlayOnOff(overlay, TRUE); }
