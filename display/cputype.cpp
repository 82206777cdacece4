#include "cputype.h"
#include "ce.h"
#include "kernelmode.h"
#include "programwide.h"

namespace {

struct FoundType {
    FoundType() {
        KernelMode kernel;
        try {
            type = CPUTypeOf(ReadProcessorIdRegister());
        } catch (const HardwareFault&) {
            type = CPU_OTHER;
        }
    }
    CPUType type = CPU_OTHER;
};

}  // namespace

CPUType CPUTypeOf(DWORD identification) {
    if ((identification >> 12) == 0x69052) return CPU_XSCALE;
    if ((identification >> 16) == 0x6901) return CPU_STRONGARM;
    return CPU_OTHER;
}

CPUType GetCPUType() { return ProgramWide::Get<FoundType>().type; }
