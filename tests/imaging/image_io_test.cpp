// Picture headers read before DevIL sees a byte.

#include "imaging/image_io.h"
#include "support/scratch_folder.h"
#include "support/png_pictures.h"

#include <gtest/gtest.h>

namespace
{
std::string Bmp(int32_t width, int32_t height)
{
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    b[14] = 40;
    for (int k = 0; k < 4; ++k)
    {
        b[18 + k] = char((uint32_t(width) >> (8 * k)) & 0xFF);
        b[22 + k] = char((uint32_t(height) >> (8 * k)) & 0xFF);
    }
    return b;
}

std::string Tga(int width, int height, int imageType = 2)
{
    std::string b(18, '\0');
    b[2] = char(imageType);
    b[12] = char(width & 0xFF);
    b[13] = char(width >> 8);
    b[14] = char(height & 0xFF);
    b[15] = char(height >> 8);
    return b;
}

std::string Jpeg(int width, int height)
{
    std::string b = "\xFF\xD8\xFF\xE0";
    b += std::string("\x00\x04\x00\x00", 4); // an APP0 segment of 4 bytes
    b += "\xFF\xC0";
    b += std::string("\x00\x11\x08", 3);
    b += char(height >> 8);
    b += char(height & 0xFF);
    b += char(width >> 8);
    b += char(width & 0xFF);
    return b + std::string(10, '\0');
}

struct SniffCase
{
    const char* what;
    std::string bytes;
    std::string name;
    bool accepted;
    TextureType type;
    int width;
    int height;
};
} // namespace

// The PNG is one DevIL wrote; the other headers are made byte by byte.
TEST(ImageIoTest, HeadersAreReadAndOversizedPicturesRefused)
{
    ScratchFolder folder;
    WritePng(folder.Path("a.png"), 3, 2, [](int, int) { return Rgba8{1, 2, 3, 255}; });
    const SniffCase cases[] = {
        {"PNG", ReadBytes(folder.Path("a.png")), "a.png", true, TextureType::Png, 3, 2},
        {"small BMP", Bmp(16, 8), "a.bmp", true, TextureType::Bmp, 16, 8},
        {"top-down BMP", Bmp(16, -8), "a.bmp", true, TextureType::Bmp, 16, 8},
        {"huge BMP", Bmp(60000, 60000), "a.bmp", false, TextureType::Unknown, 0, 0},
        {"BMP of zero width", Bmp(0, 8), "a.bmp", false, TextureType::Unknown, 0, 0},
        {"BMP over the pixel budget", Bmp(8192, 8192), "a.bmp", false, TextureType::Unknown, 0, 0},
        {"TGA", Tga(32, 4), "a.TGA", true, TextureType::Tga, 32, 4},
        {"TGA of unknown kind", Tga(32, 4, 7), "a.tga", false, TextureType::Unknown, 0, 0},
        {"TGA bytes named otherwise", Tga(32, 4), "a.dat", false, TextureType::Unknown, 0, 0},
        {"JPEG", Jpeg(640, 480), "a.jpg", true, TextureType::Jpeg, 640, 480},
        {"huge JPEG", Jpeg(65000, 65000), "a.jpg", false, TextureType::Unknown, 0, 0},
        {"JPEG without a frame", "\xFF\xD8\xFF\xD9", "a.jpg", false, TextureType::Unknown, 0, 0},
        {"GIF", "GIF89a\x10\x00\x10\x00", "a.gif", false, TextureType::Unknown, 0, 0},
        {"empty", "", "a.png", false, TextureType::Unknown, 0, 0},
    };
    for (const SniffCase& c : cases)
    {
        TextureHeader header;
        std::string error;
        EXPECT_EQ(SniffImage(c.bytes, c.name, &header, &error), c.accepted) << c.what;
        if (c.accepted)
        {
            EXPECT_EQ(header.type, c.type) << c.what;
            EXPECT_EQ(header.width, c.width) << c.what;
            EXPECT_EQ(header.height, c.height) << c.what;
        }
        else
            EXPECT_FALSE(error.empty()) << c.what;
    }
}
