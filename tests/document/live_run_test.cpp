#include "document/zelmora_doc.h"
#include "support/scratch_folder.h"
#include "support/recording_messages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace
{
constexpr int kWidth = 8;
constexpr int kHeight = 4;

// A frame whose grey pixels are `low` and `high` grey; the rest saturated
// colours, which the automatic threshold ignores.
std::vector<unsigned char> Frame(int low, int high)
{
    std::vector<unsigned char> frame(kWidth * kHeight * 4, 0);
    for (int k = 0; k < kWidth * kHeight; ++k)
    {
        unsigned char* pixel = &frame[4 * k];
        pixel[k % 3] = 255;
    }
    for (int c = 0; c < 3; ++c)
    {
        frame[c] = static_cast<unsigned char>(low);
        frame[4 + c] = static_cast<unsigned char>(high);
    }
    return frame;
}

void Feed(CZelmoraDoc& doc, const std::vector<unsigned char>& frame, int count = 1)
{
    for (int k = 0; k < count; ++k)
        doc.OnFrame(frame.data(), kWidth, kHeight);
}
} // namespace

TEST(AutomaticThreshold, FirstComputedOnTheTwentySixthFrameThenEveryTwentySixth)
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    const auto frame = Frame(50, 200);
    Feed(doc, frame, 25);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 0) << "the stored threshold until then";
    Feed(doc, frame);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 125);
    EXPECT_EQ(doc.m_nThresholdCountdown, 24);

    const auto darker = Frame(10, 200);
    Feed(doc, darker, 25);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 125);
    Feed(doc, darker);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 105);
}

TEST(AutomaticThreshold, AnEmptyFrameGives127AndTheNextFrameTriesAgain)
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_nThresholdCountdown = -1;
    doc.m_settings.m_nThreshold = 3;
    doc.OnFrame(Frame(50, 200).data(), kWidth, 0);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 127);
    EXPECT_LT(doc.m_nThresholdCountdown, 0);
}

TEST(AutomaticThreshold, SwitchedOnAfterALongTimeOffComputesAtOnce)
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_settings.m_bAutoThreshold = false;
    doc.m_settings.m_nThreshold = 90;
    const auto frame = Frame(50, 200);
    Feed(doc, frame, 100);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 90);
    EXPECT_EQ(doc.m_nThresholdCountdown, 24 - 100);
    doc.m_settings.m_bAutoThreshold = true;
    Feed(doc, frame);
    EXPECT_EQ(doc.m_settings.m_nThreshold, 125);
}

TEST(Capture, RefusalsSayWhyAndStartNothing)
{
    ScratchFolder folder;
    RecordingMessages messages;
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.OnCapture();
    ASSERT_EQ(messages.m_messages.size(), 1u);
    EXPECT_EQ(messages.m_messages[0].text, "Guarde el proyecto antes de iniciar su ejecución");
    EXPECT_EQ(messages.m_messages[0].caption, "Aviso");
    EXPECT_FALSE(doc.IsCapturing());
    EXPECT_TRUE(doc.OnUpdateCapture());

    ASSERT_TRUE(doc.SaveProject(folder.Path("p.zel"), nullptr));
    doc.OnCapture();
    ASSERT_EQ(messages.m_messages.size(), 2u);
    EXPECT_EQ(messages.m_messages[1].text, "No hay configuración");
    EXPECT_EQ(messages.m_messages[1].caption, "Camara");
    EXPECT_FALSE(doc.IsCapturing());

    std::ofstream(folder.Path("bad.cfg")) << "nosuchelement\n";
    doc.m_settings.m_strVideoConfig = "bad.cfg";
    doc.OnCapture();
    ASSERT_EQ(messages.m_messages.size(), 3u);
    EXPECT_NE(messages.m_messages[2].text.find("nosuchelement"), std::string::npos);

    std::ofstream(folder.Path("ok.cfg")) << "videotestsrc ! video/x-raw,width=64,height=48\n";
    doc.m_settings.m_strVideoConfig = "ok.cfg";
    doc.m_settings.m_strCameraParam = "missing.dat";
    doc.OnCapture();
    ASSERT_EQ(messages.m_messages.size(), 4u);
    EXPECT_EQ(messages.m_messages[3].text,
              "No se puede cargar la calibración de la cámara: missing.dat");
    EXPECT_EQ(messages.m_messages[3].caption, "Camara");
    EXPECT_FALSE(doc.IsCapturing());
    EXPECT_FALSE(doc.OnUpdateStopCapture());
}
