// Pattern files: any bytes are read into a slot, which is freed again.

#include "fuzz_input.h"
#include "tracking/pattern_matching.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputAsFile(data, size, "marker.patt");
    const int slot = loadPattern(path.c_str());
    if (slot >= 0)
        freePattern(slot);
    return 0;
}
