#include "imaging/image_header.h"

#include <cstring>

namespace
{
uint32_t BigEndian32(const unsigned char* p)
{
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint32_t BigEndian16(const unsigned char* p)
{
    return (uint32_t{p[0]} << 8) | p[1];
}

uint32_t LittleEndian32(const unsigned char* p)
{
    return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

uint32_t LittleEndian16(const unsigned char* p)
{
    return (uint32_t{p[1]} << 8) | p[0];
}

bool Fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Every chunk must lie wholly inside the file and the list must end with
// IEND: libpng then never reads past the bytes it was given.
bool ReadPngHeader(const unsigned char* bytes, size_t size, ImageHeader* header, std::string* error,
                   HeaderCheck check)
{
    constexpr size_t kSignature = 8;
    constexpr size_t kChunkOverhead = 12; // length, type, CRC
    if (size < kSignature + kChunkOverhead + 13 || std::memcmp(bytes + 12, "IHDR", 4) != 0 ||
        BigEndian32(bytes + 8) != 13)
        return Fail(error, "PNG without a complete IHDR header");
    const uint32_t width = BigEndian32(bytes + 16);
    const uint32_t height = BigEndian32(bytes + 20);
    if (width > 0x7fffffffu || height > 0x7fffffffu)
        return Fail(error, "PNG with an invalid size");

    size_t offset = kSignature;
    while (check == HeaderCheck::WholeFile)
    {
        if (size - offset < kChunkOverhead)
            return Fail(error, "truncated PNG: the chunk list ends before IEND");
        const uint32_t length = BigEndian32(bytes + offset);
        if (length > 0x7fffffffu || length > size - offset - kChunkOverhead)
            return Fail(error, "truncated PNG: a chunk runs past the end of the file");
        const bool isEnd = std::memcmp(bytes + offset + 4, "IEND", 4) == 0;
        offset += kChunkOverhead + length;
        if (isEnd)
            break;
    }
    header->format = ImageFormat::Png;
    header->width = static_cast<int>(width);
    header->height = static_cast<int>(height);
    return true;
}

bool IsJpegFrameMarker(unsigned char marker)
{
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// Walks the marker segments up to the first frame header, which holds the size.
bool ReadJpegHeader(const unsigned char* bytes, size_t size, ImageHeader* header,
                    std::string* error)
{
    size_t offset = 2;
    for (;;)
    {
        while (offset < size && bytes[offset] == 0xff && offset + 1 < size &&
               bytes[offset + 1] == 0xff)
            ++offset;
        if (size < 4 || offset > size - 4 || bytes[offset] != 0xff)
            return Fail(error, "JPEG without a frame header");
        const unsigned char marker = bytes[offset + 1];
        if (marker == 0xd8 || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7))
        {
            offset += 2;
            continue;
        }
        if (marker == 0xda || marker == 0xd9)
            return Fail(error, "JPEG without a frame header");
        const uint32_t length = BigEndian16(bytes + offset + 2);
        if (length < 2 || length > size - offset - 2)
            return Fail(error, "truncated JPEG header");
        if (IsJpegFrameMarker(marker))
        {
            if (length < 7)
                return Fail(error, "truncated JPEG header");
            header->format = ImageFormat::Jpeg;
            header->height = static_cast<int>(BigEndian16(bytes + offset + 5));
            header->width = static_cast<int>(BigEndian16(bytes + offset + 7));
            return true;
        }
        offset += 2 + length;
    }
}

bool ReadBmpHeader(const unsigned char* bytes, size_t size, ImageHeader* header, std::string* error,
                   HeaderCheck check)
{
    constexpr size_t kFileHeader = 14;
    if (size < kFileHeader + 4)
        return Fail(error, "truncated BMP header");
    const uint32_t infoSize = LittleEndian32(bytes + kFileHeader);
    // DevIL seeks to the pixel offset unchecked and reads past its buffer.
    const uint32_t pixelOffset = LittleEndian32(bytes + 10);
    const bool wholeFile = check == HeaderCheck::WholeFile;
    if (wholeFile && (pixelOffset < kFileHeader + 12 || pixelOffset >= size))
        return Fail(error, "BMP whose pixel data lies outside the file");
    header->format = ImageFormat::Bmp;
    if (infoSize == 12 && size >= kFileHeader + 12)
    {
        header->width = static_cast<int>(LittleEndian16(bytes + 18));
        header->height = static_cast<int>(LittleEndian16(bytes + 20));
        return true;
    }
    if (infoSize < 40 || size < kFileHeader + 40)
        return Fail(error, "truncated or unknown BMP header");
    const int32_t width = static_cast<int32_t>(LittleEndian32(bytes + 18));
    const int32_t height = static_cast<int32_t>(LittleEndian32(bytes + 22));
    // A negative height marks rows stored top-down; only its size matters here.
    if (width < 0 || height == INT32_MIN)
        return Fail(error, "BMP with an invalid size");
    const uint32_t bitsPerPixel = LittleEndian16(bytes + 28);
    if (wholeFile && bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 &&
        bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return Fail(error, "BMP with " + std::to_string(bitsPerPixel) + " bits per pixel");
    header->width = width;
    header->height = height < 0 ? -height : height;
    return true;
}
} // namespace

const char* ImageFormatName(ImageFormat format)
{
    switch (format)
    {
    case ImageFormat::Png:
        return "PNG";
    case ImageFormat::Jpeg:
        return "JPEG";
    case ImageFormat::Bmp:
        return "BMP";
    }
    return "?";
}

bool ReadImageHeader(const unsigned char* bytes, size_t size, ImageHeader* header,
                     std::string* error, int64_t maxPixels, HeaderCheck check)
{
    static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    bool known = false;
    if (size >= 8 && std::memcmp(bytes, kPngSignature, 8) == 0)
        known = ReadPngHeader(bytes, size, header, error, check);
    else if (size >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff)
        known = ReadJpegHeader(bytes, size, header, error);
    else if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        known = ReadBmpHeader(bytes, size, header, error, check);
    else
        return Fail(error, "not a PNG, JPEG or BMP image");
    if (!known)
        return false;

    if (header->width <= 0 || header->height <= 0)
        return Fail(error, "image of zero size");
    if (int64_t{header->width} * header->height > maxPixels)
        return Fail(error, std::string(ImageFormatName(header->format)) + " of " +
                               std::to_string(header->width) + " x " +
                               std::to_string(header->height) + " pixels is larger than the " +
                               std::to_string(maxPixels) + "-pixel limit");
    return true;
}
