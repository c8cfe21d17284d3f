// The guarded 3DS load on any bytes: what the checker and the probe pass is
// parsed by lib3ds in this process, so a crash here is a file that got
// through both.

#include "fuzz_input.h"
#include "models/safe_3ds_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputAsFile(data, size, "model.3ds");
    ProbeLimits limits;
    limits.nTimeoutMs = 2000;
    CLoaded3ds loaded;
    std::string reason;
    LoadChecked3ds(path, FuzzFolder(), &loaded, &reason, limits);
    return 0;
}
