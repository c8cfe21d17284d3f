// Image files (PNG, JPEG, BMP) on any bytes: refused with a reason or
// decoded to exactly the size the header gave.

#include "fuzz_input.h"
#include "imaging/image_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputAsFile(data, size, "picture");
    BgraImage image;
    std::string error;
    if (ReadImageFile(path, &image, &error) &&
        image.pixels.size() != size_t(image.width) * size_t(image.height) * 4)
        std::abort();
    return 0;
}
