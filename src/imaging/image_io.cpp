#include "imaging/image_io.h"

#include <IL/il.h>

#include <algorithm>
#include <cctype>

namespace
{
uint32_t BigEndian32(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 |
           uint32_t(uint8_t(b[at + 2])) << 8 | uint32_t(uint8_t(b[at + 3]));
}

uint16_t BigEndian16(const std::string& b, size_t at)
{
    return uint16_t(uint8_t(b[at]) << 8 | uint8_t(b[at + 1]));
}

uint16_t LittleEndian16(const std::string& b, size_t at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

int32_t LittleEndian32(const std::string& b, size_t at)
{
    return int32_t(uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
                   uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24);
}

bool Refuse(std::string* pError, const std::string& reason)
{
    if (pError)
        *pError = reason;
    return false;
}

bool EndsWithTga(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".tga";
}

bool ReadPngSize(const std::string& b, TextureHeader* pHeader)
{
    if (b.size() < 24 || b.compare(12, 4, "IHDR") != 0)
        return false;
    const uint32_t width = BigEndian32(b, 16);
    const uint32_t height = BigEndian32(b, 20);
    if (width > uint32_t(kMaxTextureSide) || height > uint32_t(kMaxTextureSide))
        return false;
    pHeader->width = int(width);
    pHeader->height = int(height);
    return true;
}

// The size is in the first start-of-frame segment; every segment before it
// carries its own length, so the walk is bounded by the byte count.
bool ReadJpegSize(const std::string& b, TextureHeader* pHeader)
{
    size_t at = 2;
    while (at + 4 <= b.size())
    {
        if (uint8_t(b[at]) != 0xFF)
            return false;
        const uint8_t marker = uint8_t(b[at + 1]);
        if (marker == 0xFF)
        {
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
        {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return false;
        const uint16_t length = BigEndian16(b, at + 2);
        if (length < 2)
            return false;
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame)
        {
            if (at + 9 > b.size())
                return false;
            pHeader->height = BigEndian16(b, at + 5);
            pHeader->width = BigEndian16(b, at + 7);
            return true;
        }
        at += 2 + size_t(length);
    }
    return false;
}

bool ReadBmpSize(const std::string& b, TextureHeader* pHeader)
{
    if (b.size() < 26)
        return false;
    const int32_t infoSize = LittleEndian32(b, 14);
    if (infoSize == 12)
    {
        pHeader->width = LittleEndian16(b, 18);
        pHeader->height = LittleEndian16(b, 20);
        return true;
    }
    const int64_t width = LittleEndian32(b, 18);
    const int64_t height = LittleEndian32(b, 22);
    if (infoSize < 40 || width > kMaxTextureSide || height > kMaxTextureSide || height < -kMaxTextureSide)
        return false;
    pHeader->width = int(width);
    pHeader->height = int(height < 0 ? -height : height);
    return true;
}

bool ReadTgaSize(const std::string& b, TextureHeader* pHeader)
{
    if (b.size() < 18)
        return false;
    const uint8_t imageType = uint8_t(b[2]);
    const bool known = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 ||
                       imageType == 10 || imageType == 11;
    if (!known)
        return false;
    pHeader->width = LittleEndian16(b, 12);
    pHeader->height = LittleEndian16(b, 14);
    return true;
}
} // namespace

bool SniffImage(const std::string& bytes, const std::string& name, TextureHeader* pHeader,
                std::string* pError)
{
    TextureHeader header;
    bool sizeRead = false;
    if (bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
    {
        header.type = TextureType::Png;
        sizeRead = ReadPngSize(bytes, &header);
    }
    else if (bytes.compare(0, 3, "\xFF\xD8\xFF") == 0)
    {
        header.type = TextureType::Jpeg;
        sizeRead = ReadJpegSize(bytes, &header);
    }
    else if (bytes.compare(0, 2, "BM") == 0)
    {
        header.type = TextureType::Bmp;
        sizeRead = ReadBmpSize(bytes, &header);
    }
    else if (EndsWithTga(name))
    {
        header.type = TextureType::Tga;
        sizeRead = ReadTgaSize(bytes, &header);
    }
    else
        return Refuse(pError, "not a PNG, JPEG, BMP or TGA picture");

    if (!sizeRead)
        return Refuse(pError, "damaged picture header");
    if (header.width < 1 || header.height < 1 || header.width > kMaxTextureSide ||
        header.height > kMaxTextureSide || int64_t(header.width) * header.height > kMaxTexturePixels)
        return Refuse(pError, "picture size " + std::to_string(header.width) + " x " +
                                  std::to_string(header.height) + " is out of bounds");
    if (pHeader)
        *pHeader = header;
    return true;
}

unsigned int DevilType(TextureType type)
{
    switch (type)
    {
    case TextureType::Png:
        return IL_PNG;
    case TextureType::Jpeg:
        return IL_JPG;
    case TextureType::Bmp:
        return IL_BMP;
    case TextureType::Tga:
        return IL_TGA;
    case TextureType::Unknown:
        break;
    }
    return IL_TYPE_UNKNOWN;
}

void EnsureImageLibrary()
{
    static bool s_bInitialised = false;
    if (s_bInitialised)
        return;
    ilInit();
    s_bInitialised = true;
}

bool DecodeImage(const std::string& bytes, const TextureHeader& header)
{
    if (header.type == TextureType::Unknown || bytes.size() > 0xFFFFFFFFu)
        return false;
    return ilLoadL(DevilType(header.type), bytes.data(), ILuint(bytes.size())) == IL_TRUE;
}
