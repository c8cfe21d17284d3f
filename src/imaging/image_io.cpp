#include "imaging/image_io.h"

#include "imaging/image_header.h"

#include <IL/il.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace
{
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

TextureType TextureTypeOf(ImageFormat format)
{
    switch (format)
    {
    case ImageFormat::Png:
        return TextureType::Png;
    case ImageFormat::Jpeg:
        return TextureType::Jpeg;
    case ImageFormat::Bmp:
        return TextureType::Bmp;
    }
    return TextureType::Unknown;
}

uint16_t LittleEndian16(const std::string& b, size_t at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
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

bool HasImageSignature(const std::string& bytes)
{
    return bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 ||
           bytes.compare(0, 3, "\xFF\xD8\xFF") == 0 || bytes.compare(0, 2, "BM") == 0;
}

bool SniffImage(const std::string& bytes, const std::string& name, TextureHeader* pHeader,
                std::string* pError)
{
    TextureHeader header;
    ImageHeader image;
    std::string reason;
    // Textures are decoded only in the probe process, so the size is all the
    // reader must vouch for; the texture limits below are the tighter ones.
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (ReadImageHeader(data, bytes.size(), &image, &reason, INT64_MAX, HeaderCheck::SizeOnly))
    {
        header.type = TextureTypeOf(image.format);
        header.width = image.width;
        header.height = image.height;
    }
    else if (HasImageSignature(bytes))
        return Refuse(pError, "damaged picture header: " + reason);
    else if (!EndsWithTga(name))
        return Refuse(pError, "not a PNG, JPEG, BMP or TGA picture");
    else if (ReadTgaSize(bytes, &header))
        header.type = TextureType::Tga;
    else
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
