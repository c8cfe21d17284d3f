// Damaged and hostile 3DS files, made by cutting and corrupting a sound
// one: each is loaded through the model's own path and either loads (and
// then draws and animates) or is refused. None may crash or hang the test.

#include "chunk_locator.h"
#include "render_fixture.h"
#include "render/model_scene.h"

#include <random>

namespace
{
constexpr uint32_t kSeed = 20240607;
constexpr int kRandomCorruptions = 2500;

class FuzzTest : public RenderTest
{
  protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        m_strPath = WriteScene(RichScene(3), "seed.3ds");
        m_strSeed = ReadBytes(m_strPath);
        m_chunks = ListChunks(m_strSeed);
        WritePng(m_folder.Path("checker.png"), 4, 4,
                 [](int x, int) {
                     return x < 2 ? Rgba8{255, 0, 0, 255} : Rgba8{0, 0, 255, 255};
                 });
    }

    // Loads the bytes as a model; when they load, exercises what the
    // program would do with them. True when they loaded.
    bool Exercise(const std::string& bytes)
    {
        WriteBytes(m_strPath, bytes);
        CModel3D model;
        model.m_strFile = m_strPath;
        const size_t messagesBefore = m_messages.m_messages.size();
        if (!LoadModel(model))
        {
            EXPECT_EQ(m_messages.m_messages.size(), messagesBefore + 2);
            return false;
        }
        DrawView(&model);
        for (int k = 0; k < 5; ++k)
            NextModelFrame(model);
        DrawView(&model, kTopView);
        return true;
    }

    std::string Corrupt(std::mt19937& random)
    {
        std::string bytes = m_strSeed;
        auto pick = [&random](size_t count)
        { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
        switch (pick(5))
        {
        case 0: // a few flipped bits
            for (size_t k = 0, n = 1 + pick(4); k < n; ++k)
                bytes[pick(bytes.size())] ^= char(1 << pick(8));
            break;
        case 1: // a byte set at random
            bytes[pick(bytes.size())] = char(pick(256));
            break;
        case 2: // a chunk length rewritten
        {
            const ChunkAt& chunk = m_chunks[pick(m_chunks.size())];
            const uint32_t lengths[] = {0,
                                        uint32_t(pick(6)),
                                        chunk.size + 1,
                                        chunk.size - 1,
                                        uint32_t(pick(0x10000)),
                                        0xFFFFFFFF};
            PutU32(bytes, chunk.offset + 2, lengths[pick(6)]);
            break;
        }
        case 3: // a count or id right after a chunk header rewritten
        {
            const ChunkAt& chunk = m_chunks[pick(m_chunks.size())];
            if (chunk.size >= 8)
                PutU16(bytes, chunk.offset + 6, uint16_t(pick(0x10000)));
            break;
        }
        default: // cut, with the file's own length made to match
            bytes.resize(6 + pick(bytes.size() - 6));
            PutU32(bytes, 2, uint32_t(bytes.size()));
            break;
        }
        return bytes;
    }

    std::string m_strPath;
    std::string m_strSeed;
    std::vector<ChunkAt> m_chunks;
};
} // namespace

// Hundreds of refusals in a row, then the sound file: the library is still
// usable after them.
TEST_F(FuzzTest, EveryTruncationIsRefusedAndTheSoundFileLoadsAfterThem)
{
    for (size_t length = 0; length < m_strSeed.size(); ++length)
        EXPECT_FALSE(Exercise(m_strSeed.substr(0, length))) << "length " << length;
    EXPECT_TRUE(Exercise(m_strSeed));
}

TEST_F(FuzzTest, RandomCorruptionsLoadOrAreRefused)
{
    std::mt19937 random(kSeed);
    int loaded = 0;
    for (int k = 0; k < kRandomCorruptions; ++k)
        loaded += Exercise(Corrupt(random)) ? 1 : 0;
    RecordProperty("loaded", loaded);
    EXPECT_GT(loaded, 0) << "bit flips in coordinates and colours still load";
    EXPECT_LT(loaded, kRandomCorruptions);
}
