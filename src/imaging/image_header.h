#pragma once
// Reads the format and the size of an image from its first bytes, before a
// decoder sees it. DevIL trusts headers: enormous dimensions make it allocate
// or overrun, and a PNG cut short inside its chunk list can make it spin
// forever. So only formats whose header is checked here are decoded at all.

#include <cstdint>
#include <string>

// Larger pictures are refused: 64 Mpixel is four times a 32-megapixel photo
// and keeps the decoded buffer at 256 MiB.
constexpr int64_t kMaxImagePixels = int64_t{64} * 1024 * 1024;

enum class ImageFormat
{
    Png,
    Jpeg,
    Bmp,
};

// How much of the file the reader vouches for. A file decoded in this
// process needs the whole file checked; one decoded only inside the probe
// process (a texture) needs its size, and the probe answers for the rest.
enum class HeaderCheck
{
    WholeFile,
    SizeOnly,
};

struct ImageHeader
{
    ImageFormat format = ImageFormat::Png;
    int width = 0;
    int height = 0;
};

const char* ImageFormatName(ImageFormat format);

// Fills *header from the bytes of a whole file. False with a one-line reason
// in *error for an unknown format, a malformed or cut-short header, a size
// of zero or above `maxPixels`, and, when the whole file is checked, a PNG
// whose chunk list does not reach IEND within the bytes or a BMP whose pixel
// data or depth is impossible.
bool ReadImageHeader(const unsigned char* bytes, size_t size, ImageHeader* header,
                     std::string* error, int64_t maxPixels = kMaxImagePixels,
                     HeaderCheck check = HeaderCheck::WholeFile);
