#include "imaging/image_file.h"
#include "imaging/image_header.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace
{
BgraImage Gradient(int width, int height)
{
    BgraImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            unsigned char* p = image.Pixel(x, y);
            p[0] = static_cast<unsigned char>(x * 7);
            p[1] = static_cast<unsigned char>(y * 11);
            p[2] = static_cast<unsigned char>(x * y);
            p[3] = static_cast<unsigned char>(255 - x);
        }
    return image;
}

void PutLittle(std::string& bytes, size_t offset, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

void PutBig(std::string& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * (3 - i))) & 0xff);
}

// A 24-bit BMP made byte by byte: rows stored bottom-up, each padded to 4
// bytes, so the reader's row order is checked against a file DevIL did not write.
std::string HandMadeBmp(int width, int height, const unsigned char topRowBgr[3])
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string bytes(54 + static_cast<size_t>(rowBytes) * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittle(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLittle(bytes, 10, 54, 4);
    PutLittle(bytes, 14, 40, 4);
    PutLittle(bytes, 18, static_cast<uint32_t>(width), 4);
    PutLittle(bytes, 22, static_cast<uint32_t>(height), 4);
    PutLittle(bytes, 26, 1, 2);
    PutLittle(bytes, 28, 24, 2);
    const size_t topRow = 54 + static_cast<size_t>(rowBytes) * (height - 1);
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
            bytes[topRow + 3 * x + c] = static_cast<char>(topRowBgr[c]);
    return bytes;
}

// Signature, an IHDR declaring the given size, and IEND: a well-formed chunk
// list whose only fault is its size.
std::string PngHeaderOnly(uint32_t width, uint32_t height)
{
    std::string bytes("\x89PNG\r\n\x1a\n", 8);
    bytes += std::string("\0\0\0\x0dIHDR", 8);
    std::string fields(13, '\0');
    PutBig(fields, 0, width);
    PutBig(fields, 4, height);
    fields[8] = 8;
    fields[9] = 6;
    bytes += fields + std::string(4, '\0');
    bytes += std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    return bytes;
}
} // namespace

TEST(ImageFile, PngRoundTripKeepsEveryByteAndTheRowOrder)
{
    ScratchFolder folder;
    const BgraImage original = Gradient(37, 23);
    std::string error;
    ASSERT_TRUE(WritePngFile(folder.Path("a.png"), original, &error)) << error;
    BgraImage read;
    ASSERT_TRUE(ReadImageFile(folder.Path("a.png"), &read, &error)) << error;
    EXPECT_EQ(read.width, 37);
    EXPECT_EQ(read.height, 23);
    EXPECT_EQ(read.pixels, original.pixels);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("a.png.tmp")));
}

TEST(ImageFile, JpegRoundTripKeepsThePictureAtItsQuality)
{
    // Flat halves, so compression has no fine detail to lose: red top,
    // blue bottom, row order and colour order both visible.
    BgraImage original(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
        {
            unsigned char* bgra = &original.pixels[(size_t(y) * 32 + x) * 4];
            bgra[y < 8 ? 2 : 0] = 255;
            bgra[3] = 255;
        }
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(WriteJpegFile(folder.Path("a.jpg"), original, 95, &error)) << error;
    BgraImage read;
    ASSERT_TRUE(ReadImageFile(folder.Path("a.jpg"), &read, &error)) << error;
    ASSERT_EQ(read.width, 32);
    ASSERT_EQ(read.height, 16);
    for (size_t k = 0; k < 3; ++k)
    {
        EXPECT_NEAR(read.pixels[(2 * 32 + 5) * 4 + k], original.pixels[(2 * 32 + 5) * 4 + k], 8);
        EXPECT_NEAR(read.pixels[(13 * 32 + 5) * 4 + k], original.pixels[(13 * 32 + 5) * 4 + k], 8);
    }
}

TEST(ImageFile, BmpRowsComeOutTopFirstInBlueGreenRedOrder)
{
    ScratchFolder folder;
    const unsigned char topBgr[3] = {10, 20, 200};
    WriteBytes(folder.Path("a.bmp"), HandMadeBmp(5, 3, topBgr));
    BgraImage image;
    std::string error;
    ASSERT_TRUE(ReadImageFile(folder.Path("a.bmp"), &image, &error)) << error;
    ASSERT_EQ(image.width, 5);
    ASSERT_EQ(image.height, 3);
    for (int x = 0; x < 5; ++x)
    {
        EXPECT_EQ(image.Pixel(x, 0)[0], 10);
        EXPECT_EQ(image.Pixel(x, 0)[1], 20);
        EXPECT_EQ(image.Pixel(x, 0)[2], 200);
        EXPECT_EQ(image.Pixel(x, 2)[2], 0);
    }
}

TEST(ImageFile, EveryTruncatedPngIsRefusedWithoutDecoding)
{
    ScratchFolder folder;
    ASSERT_TRUE(WritePngFile(folder.Path("a.png"), Gradient(20, 12), nullptr));
    const std::string bytes = ReadBytes(folder.Path("a.png"));
    for (size_t length = 0; length < bytes.size(); ++length)
    {
        WriteBytes(folder.Path("cut.png"), bytes.substr(0, length));
        BgraImage image = Gradient(2, 2);
        std::string error;
        ASSERT_FALSE(ReadImageFile(folder.Path("cut.png"), &image, &error)) << length;
        EXPECT_EQ(error.rfind(folder.Path("cut.png") + ": ", 0), 0u) << error;
        EXPECT_EQ(image.width, 2) << "the target changed on failure";
    }
}

TEST(ImageFile, TruncatedBmpNeverCrashes)
{
    ScratchFolder folder;
    const unsigned char topBgr[3] = {1, 2, 3};
    const std::string bytes = HandMadeBmp(9, 7, topBgr);
    for (size_t length = 0; length < bytes.size(); length += 3)
    {
        WriteBytes(folder.Path("cut.bmp"), bytes.substr(0, length));
        BgraImage image;
        if (ReadImageFile(folder.Path("cut.bmp"), &image, nullptr))
        {
            EXPECT_EQ(image.pixels.size(), 9u * 7u * 4u);
        }
    }
}

// Hostile headers are refused before decoding; damage inside the image data
// passes the header check and must be refused by the decoder. Either way
// the reason follows the file's name and the target keeps what it held.
TEST(ImageFile, UnusableFilesAreRefusedWithTheirReason)
{
    ScratchFolder folder;
    ASSERT_TRUE(WritePngFile(folder.Path("a.png"), Gradient(20, 12), nullptr));
    ASSERT_TRUE(WritePngFile(folder.Path("half.png"), Gradient(20, 6), nullptr));
    const std::string sound = ReadBytes(folder.Path("a.png"));
    const size_t idat = sound.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    const uint32_t idatLength = uint32_t(uint8_t(sound[idat - 4])) << 24 |
                                uint32_t(uint8_t(sound[idat - 3])) << 16 |
                                uint32_t(uint8_t(sound[idat - 2])) << 8 | uint8_t(sound[idat - 1]);
    // The checksum after a chunk's type and data, made right again.
    auto resealChunk = [](std::string& bytes, size_t type, uint32_t length)
    {
        const auto* data = reinterpret_cast<const Bytef*>(bytes.data() + type);
        PutBig(bytes, type + 4 + length, uint32_t(crc32(0, data, 4 + length)));
    };
    std::string wrongChecksum = sound;
    wrongChecksum[idat + 4 + idatLength / 2] ^= 0x55;
    std::string damagedStream = sound;
    for (uint32_t k = 2; k < idatLength; k += 7)
        damagedStream[idat + 4 + k] ^= 0x55;
    resealChunk(damagedStream, idat, idatLength);
    std::string halfTheRows = ReadBytes(folder.Path("half.png"));
    PutBig(halfTheRows, 20, 12);
    resealChunk(halfTheRows, 12, 13);

    const unsigned char bgr[3] = {0, 0, 0};
    std::string hugeBmp = HandMadeBmp(2, 2, bgr);
    PutLittle(hugeBmp, 18, 0x7fffffff, 4);
    PutLittle(hugeBmp, 22, 0x7fffffff, 4);
    std::string wideBmp = HandMadeBmp(2, 2, bgr);
    PutLittle(wideBmp, 18, 70000, 4);
    PutLittle(wideBmp, 22, static_cast<uint32_t>(-1000), 4);
    std::string farOffset = HandMadeBmp(2, 2, bgr);
    PutLittle(farOffset, 10, 0xff000036u, 4);
    std::string oddDepth = HandMadeBmp(2, 2, bgr);
    PutLittle(oddDepth, 28, 7, 2);
    std::string hugeJpeg("\xff\xd8\xff\xc0\x00\x11\x08\xff\xff\xff\xff\x03", 12);
    hugeJpeg += std::string(20, '\0');
    ASSERT_EQ(mkfifo(folder.Path("fifo.png").c_str(), 0600), 0);

    const struct
    {
        const char* name;
        std::optional<std::string> bytes; // none: the path is left as it is
        const char* reason;
    } cases[] = {
        {"checksum.png", wrongChecksum, "damaged PNG"},
        {"stream.png", damagedStream, "damaged PNG"},
        {"rows.png", halfTheRows, "damaged PNG"},
        {"huge.bmp", hugeBmp, "BMP of 2147483647 x 2147483647 pixels is larger"},
        {"wide.bmp", wideBmp, "BMP of 70000 x 1000 pixels is larger"},
        {"offset.bmp", farOffset, "BMP whose pixel data lies outside"},
        {"depth.bmp", oddDepth, "BMP with 7 bits per pixel"},
        {"huge.png", PngHeaderOnly(100000, 100000), "PNG of 100000 x 100000 pixels is larger"},
        {"invalid.png", PngHeaderOnly(0x80000000u, 4), "PNG with an invalid size"},
        {"huge.jpg", hugeJpeg, "JPEG of 65535 x 65535 pixels is larger"},
        {"missing.png", std::nullopt, "No such file"},
        {"", std::nullopt, "not a regular file"},
        {"fifo.png", std::nullopt, "not a regular file"},
        {"empty.png", "", "not a PNG, JPEG or BMP"},
        {"text.png", "P6 not really an image", "not a PNG, JPEG or BMP"},
    };
    for (const auto& c : cases)
    {
        const std::string path = folder.Path(c.name);
        if (c.bytes)
            WriteBytes(path, *c.bytes);
        BgraImage image = Gradient(2, 2);
        std::string error;
        EXPECT_FALSE(ReadImageFile(path, &image, &error)) << c.name;
        EXPECT_EQ(error.rfind(path + ": " + c.reason, 0), 0u) << error;
        EXPECT_EQ(image.width, 2) << c.name << ": the target changed on failure";
    }
}

TEST(ImageFile, FailedWriteLeavesNoFileBehind)
{
    ScratchFolder folder;
    std::string error;
    EXPECT_FALSE(WritePngFile(folder.Path("no/such/dir/a.png"), Gradient(4, 4), &error));
    EXPECT_NE(error.find("no/such/dir/a.png"), std::string::npos) << error;
    EXPECT_FALSE(WritePngFile(folder.Path("empty.png"), BgraImage(), &error));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("empty.png")));
}

TEST(ImageHeader, JpegSizeComesFromTheFrameHeaderAfterOtherSegments)
{
    const unsigned char bytes[] = {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x04, 0x00, 0x00, 0xff, 0xc2, 0x00,
                                   0x0b, 0x08, 0x01, 0xe0, 0x02, 0x80, 0x01, 0x01, 0x11, 0x00};
    ImageHeader header;
    std::string error;
    ASSERT_TRUE(ReadImageHeader(bytes, sizeof bytes, &header, &error)) << error;
    EXPECT_EQ(header.format, ImageFormat::Jpeg);
    EXPECT_EQ(header.width, 640);
    EXPECT_EQ(header.height, 480);
    EXPECT_FALSE(ReadImageHeader(bytes, 12, &header, &error));
}
