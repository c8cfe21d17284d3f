#include "model/archive.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Written(const std::string& utf8)
{
    CArchive ar;
    ar.WriteString(utf8);
    return ar.Bytes();
}

std::string ReadBack(const std::string& bytes)
{
    CArchive ar(bytes);
    return ar.ReadString();
}
} // namespace

TEST(ArchiveStrings, LengthPrefixFormsAtTheirBoundaries)
{
    struct Case
    {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases)
    {
        const std::string text(c.length, 'a');
        const std::string bytes = Written(text);
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(ReadBack(bytes), text) << c.length;
    }
}

TEST(ArchiveStrings, AccentsAreWindows1252OnDisk)
{
    EXPECT_EQ(Written("Señal €"), Bytes({7, 'S', 'e', 0xF1, 'a', 'l', ' ', 0x80}));
    EXPECT_EQ(ReadBack(Bytes({4, 'a', 0xE9, 0x99, 0x9F})), "aé™Ÿ");
}

TEST(ArchiveStrings, CharacterOutsideWindows1252IsWrittenAsUtf16)
{
    const std::string name = "Marca Ω 😀";
    const std::string bytes = Written(name);
    EXPECT_EQ(bytes.substr(0, 4), Bytes({0xFF, 0xFE, 0xFF, 10}));
    EXPECT_EQ(bytes.size(), 4u + 20u);
    EXPECT_EQ(ReadBack(bytes), name);
}

TEST(ArchiveStrings, Utf16FormWithLongPrefixIsRead)
{
    std::string bytes = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01});
    bytes += std::string(512, '\0');
    for (int k = 0; k < 256; ++k)
    {
        bytes[6 + 2 * k] = 'z';
        bytes[7 + 2 * k] = 0;
    }
    EXPECT_EQ(ReadBack(bytes), std::string(256, 'z'));
}

TEST(ArchiveBounds, LengthsAndCountsBeyondTheFileFailAtOnceNamingTheRecord)
{
    // A claimed 4 GB string in a 10-byte file must not be allocated.
    CArchive ar(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b', 'c'}));
    CArchive::Record tracker(ar, "tracker 2");
    CArchive::Record pattern(ar, "pattern 1");
    try
    {
        ar.ReadString();
        FAIL() << "no error";
    }
    catch (const CArchiveException& e)
    {
        const std::string error = e.what();
        EXPECT_NE(error.find("at byte 7"), std::string::npos) << error;
        EXPECT_NE(error.find("tracker 2, pattern 1"), std::string::npos) << error;
    }

    CArchive counts(Bytes({1, 2, 3, 4}));
    EXPECT_THROW(counts.RequireCount(1, 5, "trackers"), CArchiveException);
    EXPECT_NO_THROW(counts.RequireCount(1, 4, "trackers"));
    EXPECT_THROW(CArchive(Bytes({1, 2, 3})).ReadI32(), CArchiveException);
}

TEST(ArchiveNumbers, TolerancesAreSinglePrecisionLittleEndian)
{
    CArchive ar;
    ar.WriteF32(3.0f);
    ar.WriteI32(-2);
    EXPECT_EQ(ar.Bytes(), Bytes({0x00, 0x00, 0x40, 0x40, 0xFE, 0xFF, 0xFF, 0xFF}));
}
