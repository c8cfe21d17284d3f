#include "imaging/image_file.h"

#include "imaging/image_header.h"
#include "imaging/image_io.h"
#include "imaging/png_decode.h"
#include "imaging/replace_file.h"

#include <IL/il.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool Fail(std::string* error, const std::string& path, const std::string& reason)
{
    if (error)
        *error = path + ": " + reason;
    return false;
}

// DevIL's error state is sticky; clear it so a failure reports its own cause.
void ClearDevilErrors()
{
    while (ilGetError() != IL_NO_ERROR)
    {
    }
}

std::string DevilError(const char* what)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(ilGetError()));
    return std::string(what) + " (DevIL error " + code + ")";
}

// Owns one DevIL image name and makes it the bound image.
class DevilImage
{
  public:
    DevilImage()
    {
        EnsureImageLibrary();
        ClearDevilErrors();
        ilGenImages(1, &m_nName);
        ilBindImage(m_nName);
    }
    ~DevilImage() { ilDeleteImages(1, &m_nName); }
    DevilImage(const DevilImage&) = delete;
    DevilImage& operator=(const DevilImage&) = delete;

  private:
    ILuint m_nName = 0;
};

struct FileCloser
{
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* error)
{
    // Checked before opening: opening a FIFO would block until a writer comes.
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return Fail(error, path, std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return Fail(error, path, "not a regular file");
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file || fstat(fileno(file.get()), &info) != 0)
        return Fail(error, path, std::strerror(errno));
    if (info.st_size > kMaxImageFileBytes)
        return Fail(error, path,
                    "file larger than " + std::to_string(kMaxImageFileBytes) + " bytes");
    bytes->resize(static_cast<size_t>(info.st_size));
    if (!bytes->empty() && std::fread(&(*bytes)[0], 1, bytes->size(), file.get()) != bytes->size())
        return Fail(error, path, "read error");
    return true;
}

ILenum DevilType(ImageFormat format)
{
    switch (format)
    {
    case ImageFormat::Png:
        return IL_PNG;
    case ImageFormat::Jpeg:
        return IL_JPG;
    case ImageFormat::Bmp:
        return IL_BMP;
    }
    return IL_TYPE_UNKNOWN;
}
} // namespace

bool ReadImageFile(const std::string& path, BgraImage* image, std::string* error)
{
    std::string bytes;
    if (!ReadWholeFile(path, &bytes, error))
        return false;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    ImageHeader header;
    std::string reason;
    if (!ReadImageHeader(data, bytes.size(), &header, &reason))
        return Fail(error, path, reason);
    if (header.format == ImageFormat::Png)
        return DecodePng(data, bytes.size(), image, &reason) || Fail(error, path, reason);

    DevilImage devil;
    if (!ilLoadL(DevilType(header.format), data, static_cast<ILuint>(bytes.size())))
        return Fail(error, path, DevilError("cannot decode the image"));
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    if (width != header.width || height != header.height || ilGetInteger(IL_IMAGE_DEPTH) != 1)
        return Fail(error, path, "decoded size differs from the header");
    if (!ilConvertImage(IL_BGRA, IL_UNSIGNED_BYTE))
        return Fail(error, path, DevilError("cannot convert the image"));

    BgraImage decoded(width, height);
    const unsigned char* source = ilGetData();
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    // DevIL keeps whichever row order the file had; the frame layout has row 0 on top.
    const bool bottomUp = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
    for (int y = 0; y < height; ++y)
    {
        const int sourceRow = bottomUp ? height - 1 - y : y;
        std::memcpy(decoded.Pixel(0, y), source + rowBytes * sourceRow, rowBytes);
    }
    *image = std::move(decoded);
    return true;
}

namespace
{
// `quality` applies to JPEG only; it is set once DevIL is up, since starting
// DevIL resets it.
bool WriteEncodedFile(const std::string& path, const BgraImage& image, ILenum type, int quality,
                      std::string* error)
{
    if (image.width <= 0 || image.height <= 0 ||
        int64_t{image.width} * image.height > kMaxImagePixels ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4)
        return Fail(error, path, "invalid image size");

    DevilImage devil;
    if (!ilTexImage(image.width, image.height, 1, 4, IL_BGRA, IL_UNSIGNED_BYTE,
                    const_cast<unsigned char*>(image.pixels.data())))
        return Fail(error, path, DevilError("cannot hold the image"));
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilSetInteger(IL_JPG_QUALITY, std::clamp(quality, 1, 100));

    // Encoded once into a buffer large enough for any PNG of this size
    // (stored blocks at worst): asking DevIL for the size first would
    // compress the whole picture twice.
    const size_t rawBytes = image.pixels.size() + static_cast<size_t>(image.height);
    std::string encoded(rawBytes + rawBytes / 100 + 64 * 1024, '\0');
    const ILuint written = ilSaveL(type, &encoded[0], static_cast<ILuint>(encoded.size()));
    if (written == 0)
        return Fail(error, path, DevilError("cannot encode the image"));
    encoded.resize(written);

    AtomicWriteFailure failure;
    if (WriteFileAtomically(path, encoded, &failure))
        return true;
    return Fail(error, path,
                failure.stage == AtomicWriteFailure::Write ? "write error"
                                                           : std::strerror(failure.error));
}
} // namespace

bool WritePngFile(const std::string& path, const BgraImage& image, std::string* error)
{
    return WriteEncodedFile(path, image, IL_PNG, 100, error);
}

bool WriteJpegFile(const std::string& path, const BgraImage& image, int quality,
                   std::string* error)
{
    return WriteEncodedFile(path, image, IL_JPG, quality, error);
}
