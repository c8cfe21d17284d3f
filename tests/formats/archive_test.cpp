#include "formats/archive.h"

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

// Text goes to disk in Windows-1252, or as UTF-16 after a marker when that
// code page cannot hold it; UTF-16 is read with the long prefix as well.
TEST(ArchiveStrings, TextIsWindows1252OrElseUtf16OnDisk)
{
    std::string longUtf16 = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01});
    for (int k = 0; k < 256; ++k)
        longUtf16 += Bytes({'z', 0});
    const struct
    {
        std::string text, bytes;
        bool written; // as the writer would write it
    } cases[] = {
        {"Señal €", Bytes({7, 'S', 'e', 0xF1, 'a', 'l', ' ', 0x80}), true},
        {"aé™Ÿ", Bytes({4, 'a', 0xE9, 0x99, 0x9F}), true},
        {"Marca Ω 😀", Bytes({0xFF, 0xFE, 0xFF, 10, 'M',  0, 'a', 0, 'r',  0,    'c',  0,
                             'a',  0,    ' ',  0,  0xA9, 3, ' ', 0, 0x3D, 0xD8, 0x00, 0xDE}),
         true},
        {std::string(256, 'z'), longUtf16, false},
    };
    for (const auto& c : cases)
    {
        if (c.written)
        {
            EXPECT_EQ(Written(c.text), c.bytes) << c.text;
        }
        EXPECT_EQ(ReadBack(c.bytes), c.text) << c.text;
    }
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
