// The 3DS checker on any bytes: it must refuse or pass, never crash, loop
// or read outside them.

#include "models/check_3ds.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Check3dsBytes(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
