#include "imaging/png_decode.h"

#include <png.h>

#include <cstring>

bool DecodePng(const unsigned char* bytes, size_t size, BgraImage* image, std::string* reason)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes, size))
    {
        *reason = std::string("damaged PNG (") + png.message + ")";
        return false;
    }
    // Every kind of PNG (palette, grey, 16 bits, interlaced) comes out as
    // 8-bit blue, green, red, alpha.
    png.format = PNG_FORMAT_BGRA;
    BgraImage decoded(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, decoded.pixels.data(), 0, nullptr))
    {
        *reason = std::string("damaged PNG image data (") + png.message + ")";
        png_image_free(&png);
        return false;
    }
    *image = std::move(decoded);
    return true;
}
