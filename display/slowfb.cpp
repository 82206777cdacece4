#include "slowfb.h"
#include <algorithm>
#include <cstring>
#include "fastcopy.h"

namespace {

constexpr size_t blockBytes = 64;

}  // namespace

SlowFB::SlowFB(VideoDriver* wrapped) : wrapped(wrapped) {}

void SlowFB::resume() {
    fullCopyDue = true;
    wrapped->resume();
}

void SlowFB::suspend() {
    fullCopyDue = true;
    wrapped->suspend();
}

void SlowFB::paint() {
    fullCopyDue = true;
    wrapped->paint();
}

bool SlowFB::Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) {
    if (!wrapped->Initialize(window, requested, detected)) return false;
    mode = wrapped->mode;
    if (FrameBytes() == 0 || FrameBytes() % blockBytes != 0) return true;
    doubleBuffered = true;
    bool keep = requested.swapEffect == SWAP_COPY && requested.orientation == mode.orientation;
    mode.swapCapability = keep ? SWAP_CAPABILITY_KEEP : SWAP_CAPABILITY_DISCARD;
    for (int i = 0; i < 2; ++i) {
        memory[i].assign(FrameBytes() / 4, 0);
        system[i].width = mode.width;
        system[i].height = mode.height;
        system[i].pitch = int32_t(mode.pitch);
        system[i].setPixels(memory[i].data());
    }
    fullCopyDue = true;
    return true;
}

Surface* SlowFB::GetSurface() { return doubleBuffered ? &system[current] : wrapped->GetSurface(); }

void SlowFB::Present(DWORD flags) {
    if (doubleBuffered) {
        Surface* frame = wrapped->GetSurface();
        if (frame && fullCopyDue) {
            CopyAll(frame->pixels());
            fullCopyDue = false;
        } else if (frame && !(flags & PRESENT_UNCHANGED)) {
            CopyChangedWords(frame->pixels());
        }
        current ^= 1;
    }
    wrapped->Present(flags);
}

void SlowFB::CopyAll(uint8_t* frame) {
    FastCopy(frame, memory[current].data(), FrameBytes());
    if (mode.swapCapability == SWAP_CAPABILITY_KEEP) memory[current ^ 1] = memory[current];
}

namespace {

// Writes to the frame buffer the words of [first, end) that differ from the frame before,
// passing over whole blocks that did not change; keeps the frame before up to date when asked.
void CopyDifferences(uint8_t* __restrict frame, const uint32_t* __restrict now, uint32_t* __restrict before,
                     size_t first, size_t end, bool keep) {
    constexpr size_t wordsPerBlock = blockBytes / 4;
    for (size_t block = first; block < end; block += wordsPerBlock) {
        uint32_t difference = 0;
        for (size_t k = 0; k < wordsPerBlock; ++k) difference |= now[block + k] ^ before[block + k];
        if (!difference) continue;
        for (size_t i = block; i < block + wordsPerBlock; ++i) {
            if (now[i] == before[i]) continue;
            std::memcpy(frame + 4 * i, &now[i], 4);
            if (keep) before[i] = now[i];
        }
    }
}

}  // namespace

// The dirty blocks, widened to whole blocks of the frame, whose size is a whole number of them.
void SlowFB::CopyChangedWords(uint8_t* frame) {
    size_t first = dirtyStart / blockBytes * (blockBytes / 4);
    size_t end =
        std::min(FrameBytes(), dirtyStart + dirtyBlocks * blockBytes + blockBytes - 1) / blockBytes * (blockBytes / 4);
    CopyDifferences(frame, memory[current].data(), memory[current ^ 1].data(), first, end,
                    mode.swapCapability == SWAP_CAPABILITY_KEEP);
}

// Rows go to even bounds when the dirty bytes do not fill whole blocks.
void SlowFB::SetDirtyRect(const RECT& rect) {
    if (!doubleBuffered) {
        wrapped->SetDirtyRect(rect);
        return;
    }
    size_t top = size_t(rect.top), bottom = size_t(rect.bottom);
    if (mode.pitch * (bottom - top) % blockBytes) {
        top &= ~size_t(1);
        bottom = std::min<size_t>((bottom + 1) & ~size_t(1), mode.height);
    }
    dirtyStart = mode.pitch * top;
    dirtyBlocks = (mode.pitch * (bottom - top) + blockBytes - 1) / blockBytes;
}
