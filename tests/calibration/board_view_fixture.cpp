#include "board_view_fixture.h"

#include "synth/board_views.h"
#include "synth/frame_renderer.h"

BoardSpec TestBoard() { return {9, 6, 30.0}; }

SynthOptions WebcamOptions(uint32_t seed)
{
    SynthOptions options;
    options.supersampling = 2;
    options.blurSigmaPx = 0.7;
    options.noiseSigma = 2.0;
    options.lightGradient = 0.15;
    options.lightAngleDeg = 30.0;
    options.seed = seed;
    return options;
}

BgraImage RenderPicture(const CameraParam& camera, const std::vector<SynthMarker>& markers,
                        uint32_t seed)
{
    SynthBackground background;
    background.grey = 120;
    SynthFrame frame = CFrameRenderer(camera, WebcamOptions(seed)).Render(markers, background);
    BgraImage image;
    image.width = frame.width;
    image.height = frame.height;
    image.pixels = std::move(frame.bgra);
    return image;
}

std::vector<BgraImage> RenderBoardPictures(const CameraParam& camera, int count)
{
    const BoardSpec board = TestBoard();
    std::vector<BgraImage> pictures;
    uint32_t seed = 1;
    for (const SynthMarker& view :
         CalibrationBoardViews(camera, board.columns, board.rows, board.squareMm, count))
        pictures.push_back(RenderPicture(camera, {view}, seed++));
    return pictures;
}
