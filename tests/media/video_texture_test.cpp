// The live background texture: sized to hold frames larger than 1024 pixels
// and filled with each frame, in a real (offscreen) OpenGL context.
#include "offscreen/offscreen_context.h"
#include "media/video_source.h"
#include "support/scratch_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

TEST(VideoTexture, HoldsAFullHdFrameAndTakesItsPixels)
{
    COffscreenContext context;
    std::string error;
    ASSERT_TRUE(context.Create(16, 16, &error)) << error;
    ScratchFolder folder;
    // A solid red 1920 x 1080 picture.
    std::ofstream(folder.Path("red.cfg"))
        << "videotestsrc pattern=red ! video/x-raw,width=1920,height=1080\n";
    CVideoSource source(folder.Path("red.cfg"));
    ASSERT_TRUE(source.m_pSource) << source.Error();
    ASSERT_TRUE(source.CreateTexture()) << source.Error();
    EXPECT_EQ(source.m_nTextureSize, 2048);
    EXPECT_DOUBLE_EQ(source.GetTexScaleX(), 1920.0 / 2048.0);

    ASSERT_EQ(source.GrabFrame(nullptr, 5000), CVideoSource::Grab::Frame);
    glBindTexture(GL_TEXTURE_2D, source.GetTexture());
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 2048);
    std::vector<unsigned char> texels(size_t(2048) * 2048 * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    const unsigned char* inside = &texels[(size_t(1000) * 2048 + 1900) * 4];
    EXPECT_GT(inside[0], 200) << "red inside the frame";
    EXPECT_LT(inside[2], 50);
    const unsigned char* outside = &texels[(size_t(1500) * 2048 + 100) * 4];
    EXPECT_EQ(outside[0], 0x7F) << "mid grey beyond the frame";
}
