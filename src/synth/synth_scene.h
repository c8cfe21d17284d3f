#pragma once
// What the synthetic frame renderer draws and what it reports back: printed
// markers at known poses in front of a background, seen through a camera
// with lens distortion. Used by the tests, the benchmarks and the command
// line to make frames whose true corners and poses are known.

#include <cstdint>
#include <vector>

// A picture in 3 bytes per pixel, bytes in the frame's channel order (blue,
// green, red), row 0 at the top.
struct SynthPicture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
};

// One printed marker: a black square of side `widthMm` whose central half
// holds the picture, on white paper reaching `marginMm` beyond the square.
// The marker frame has x to the right and y up along the picture, z out of
// the printed side; cameraFromMarker maps it to the camera frame.
struct SynthMarker
{
    const SynthPicture* picture = nullptr;
    double widthMm = 80.0;
    double marginMm = 20.0;
    double cameraFromMarker[3][4] = {};
    // A checkerboard is printed instead when boardColumns > 0: that many
    // squares across and boardRows down, each of side widthMm, centred on
    // the marker frame, the upper left one black; the paper reaches
    // marginMm beyond the board.
    int boardColumns = 0;
    int boardRows = 0;
};

struct SynthBackground
{
    unsigned char grey = 150;
    int blobCount = 0;         // dark discs and squares scattered over it
    double blobRadiusPx = 3.0; // mean radius; sizes vary from a third to twice it
    uint32_t seed = 1;
    // A photograph of the frame's size (4 bytes a pixel, the frame's layout)
    // in place of the grey and the blobs: markers are then lit as the
    // photograph's surfaces around them are (see paintPhoto).
    const unsigned char* photoBgra = nullptr;
};

// A soft round shadow: the light is multiplied by `level` within radiusPx
// of the centre and rises smoothly to full over softnessPx beyond that.
struct SynthShadow
{
    double centrePx[2] = {};
    double radiusPx = 0.0;
    double softnessPx = 0.0;
    double level = 1.0; // 1 for no shadow
};

struct SynthOptions
{
    int supersampling = 3;      // samples per pixel side on marker pixels
    unsigned char ink = 25;     // grey level of black ink under even light
    unsigned char paper = 215;  // grey level of white paper
    double lightGradient = 0.0; // relative change of light from the frame's centre to its edge
    double lightAngleDeg = 0.0; // direction in which the light grows
    double lightLevel = 1.0;    // light at the frame's centre
    SynthShadow shadow;
    double blurSigmaPx = 0.0;   // Gaussian blur of the lens, 0 for none
    double motionBlurPx = 0.0;  // length of the path the picture moved during exposure
    double motionBlurAngleDeg = 0.0; // its direction, from the x axis towards y
    double noiseSigma = 0.0;    // Gaussian sensor noise in grey levels
    uint32_t seed = 1;
};

// Ground truth of one marker. Corner k is the marker's corner k: (-w/2, w/2),
// (w/2, w/2), (w/2, -w/2), (-w/2, -w/2) in the marker frame.
struct SynthTruth
{
    double cameraFromMarker[3][4] = {};
    double idealCorners[4][2] = {};    // projected through the camera matrix
    double observedCorners[4][2] = {}; // after the lens distortion
    bool inFront = false;              // every corner lies in front of the camera
};

struct SynthFrame
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgra; // width * height * 4 bytes, row 0 first
    std::vector<SynthTruth> truths;  // one per marker, in scene order
};
