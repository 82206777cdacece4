#include "kernelmode.h"
#include "coredll.h"

KernelMode::KernelMode() {
    if (auto setKMode = CoreDll::Instance().SetKMode) previous = setKMode(TRUE);
}

KernelMode::~KernelMode() {
    if (auto setKMode = CoreDll::Instance().SetKMode) setKMode(previous);
}
