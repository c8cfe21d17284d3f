// The checker in front of lib3ds: a sound file passes, and each kind of
// damage known to crash lib3ds or make it loop is refused with a reason.

#include "chunk_locator.h"

#include "models/check_3ds.h"
#include "formats/child_probe.h"
#include "models/memory_io_3ds.h"
#include "support/scratch_folder.h"
#include "support/sample_3ds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace
{
// Probing a file that makes lib3ds loop takes the whole time limit.
constexpr int kShortProbeMs = 1000;

std::string RichBytes()
{
    static const std::string bytes = []
    {
        ScratchFolder folder;
        Write3ds(RichScene(), folder.Path("rich.3ds"));
        return ReadBytes(folder.Path("rich.3ds"));
    }();
    return bytes;
}

size_t NodeHeaderParent(const std::string& b, int node)
{
    const size_t header = FindChunk(b, 0xB010, node) + 6;
    return header + std::strlen(b.data() + header) + 1 + 4;
}

struct Damage
{
    const char* what;
    std::function<void(std::string&)> apply;
    const char* reason;
};

const Damage kDamages[] = {
    {"zero-length chunk", [](std::string& b) { PutU32(b, FindChunk(b, 0xB030) + 2, 0); },
     "of length 0"},
    {"short chunk", [](std::string& b) { PutU32(b, FindChunk(b, 0xB013) + 2, 3); }, "of length 3"},
    {"chunk past its parent", [](std::string& b) { PutU32(b, FindChunk(b, 0xAFFF) + 2, 60000); },
     "runs past"},
    {"file cut short", [](std::string& b) { b.pop_back(); }, "cut short"},
    {"not a 3DS file", [](std::string& b) { b[0] = 'X'; }, "not a 3DS"},
    {"face past the points", [](std::string& b) { PutU16(b, FindChunk(b, 0x4120) + 8, 40); },
     "uses point 40 of 4"},
    {"material group past the faces",
     [](std::string& b)
     {
         const size_t group = FindChunk(b, 0x4130) + 6;
         PutU16(b, group + std::strlen(b.data() + group) + 1 + 2, 9);
     },
     "names face 9 of 2"},
    {"texture coordinates for fewer points",
     [](std::string& b) { PutU16(b, FindChunk(b, 0x4140) + 6, 3); }, "3 texture coordinates"},
    {"key count past its chunk",
     [](std::string& b) { PutU32(b, FindChunk(b, 0xB020) + 6 + 10, 0x10000000); }, "claims"},
    {"negative key count",
     [](std::string& b) { PutU32(b, FindChunk(b, 0xB021) + 6 + 10, 0xFFFFFFFF); }, "claims"},
    {"node its own parent", [](std::string& b) { PutU16(b, NodeHeaderParent(b, 1), 1); },
     "own ancestor"},
    {"two nodes parents of each other",
     [](std::string& b) { PutU16(b, NodeHeaderParent(b, 0), 1); }, "own ancestor"},
    {"node without its header", [](std::string& b) { PutU16(b, FindChunk(b, 0xB010), 0xB0FF); },
     "without its header"},
    {"two nodes with one id", [](std::string& b) { PutU16(b, FindChunk(b, 0xB030, 2) + 6, 1); },
     "two keyframer nodes"},
    {"unterminated material name",
     [](std::string& b)
     {
         const size_t name = FindChunk(b, 0xA000);
         b[name + 6 + std::strlen(b.data() + name + 6)] = 'x';
     },
     "unterminated"},
    {"absurd frame count",
     [](std::string& b)
     {
         const size_t header = FindChunk(b, 0xB00A) + 6 + 2;
         PutU32(b, header + std::strlen(b.data() + header) + 1, 0x7FFFFFFF);
     },
     "frame count"},
};
} // namespace

TEST(Check3dsTest, SoundFilePassesAndNamesItsTextures)
{
    const C3dsCheckReport report = Check3dsBytes(RichBytes());
    EXPECT_TRUE(report.bPassed) << report.strReason;
    EXPECT_EQ(report.textureNames, std::vector<std::string>{"checker.png"});
}

TEST(Check3dsTest, EachKnownDamageIsRefusedWithItsReason)
{
    for (const Damage& damage : kDamages)
    {
        std::string bytes = RichBytes();
        damage.apply(bytes);
        const C3dsCheckReport report = Check3dsBytes(bytes);
        EXPECT_FALSE(report.bPassed) << damage.what;
        EXPECT_NE(report.strReason.find(damage.reason), std::string::npos)
            << damage.what << ": " << report.strReason;
    }
}

TEST(Check3dsTest, ChunkCountIsBounded)
{
    const size_t chunks = kMax3dsChunks + 1;
    std::string bytes(12 + chunks * 6, '\0');
    PutU16(bytes, 0, 0x4D4D);
    PutU32(bytes, 2, uint32_t(bytes.size()));
    PutU16(bytes, 6, 0x3D3D);
    PutU32(bytes, 8, uint32_t(bytes.size() - 6));
    for (size_t k = 0; k < chunks; ++k)
    {
        PutU16(bytes, 12 + 6 * k, 0x0001);
        PutU32(bytes, 12 + 6 * k + 2, 6);
    }
    const C3dsCheckReport report = Check3dsBytes(bytes);
    EXPECT_FALSE(report.bPassed);
    EXPECT_NE(report.strReason.find("more than"), std::string::npos) << report.strReason;
}

// Without the checker, the probe alone still keeps the damage out of the
// program: lib3ds loops on a zero-length chunk, gives up on a key count past
// the end and recurses without end on a node that is its own parent by
// default, all in the child.
TEST(Check3dsTest, ProbeAloneContainsWhatTheCheckerRefuses)
{
    for (const Damage& damage : {kDamages[0], kDamages[8], kDamages[12]})
    {
        std::string bytes = RichBytes();
        damage.apply(bytes);
        ProbeLimits limits;
        limits.nTimeoutMs = kShortProbeMs;
        const ProbeOutcome outcome = RunInChild(
            [&bytes]
            {
                Unique3dsFile file = Load3dsFromMemory(bytes);
                return file ? 0 : 1;
            },
            limits);
        EXPECT_NE(outcome, ProbeOutcome::Passed) << damage.what;
    }
}
