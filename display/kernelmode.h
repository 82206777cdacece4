#pragma once
#include "ce_types.h"

// The thread runs in kernel mode while this lives, then in the mode it had before. Does
// nothing on a device without SetKMode.
class KernelMode {
public:
    KernelMode();
    ~KernelMode();
    KernelMode(const KernelMode&) = delete;
    KernelMode& operator=(const KernelMode&) = delete;

private:
    BOOL previous = FALSE;
};
