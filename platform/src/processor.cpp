#include "ce_processor.h"
#include "device.h"

DWORD ReadProcessorIdRegister() {
    const platform::Device& d = platform::device();
    if (!d.kernelMode || !d.profile.processorId) throw HardwareFault{};
    return *d.profile.processorId;
}
