#pragma once
// The printable marker: a black square whose border is a quarter of its side
// wide on each edge, the picture in the central half, and a white margin
// around so that the square stands out against whatever it is printed on.
// Pure pixel work in the frame layout (blue, green, red, alpha).

#include "imaging/bgra_image.h"
#include "tracking/pattern_file.h"

constexpr int kDefaultMarkerSidePx = 512;
// The picture's side (half the square's) must split into 16 whole cells.
constexpr int kMarkerSideStepPx = 2 * kPatternSide;

struct MarkerLayout
{
    int squareSide = 0;    // the black square
    int margin = 0;        // white around it
    int imageSide = 0;     // the whole image
    int pictureOrigin = 0; // top-left pixel of the picture, both axes
    int pictureSide = 0;
};

// squareSide must be a positive multiple of kMarkerSideStepPx.
MarkerLayout MarkerLayoutFor(int squareSide);

// The picture scaled to fit a white side x side square, centred, without
// distortion; transparent parts become white. Area-weighted resampling.
BgraImage FitPicture(const BgraImage& source, int side);

// The marker image around a picture of layout.pictureSide pixels.
BgraImage DrawMarker(const BgraImage& picture, const MarkerLayout& layout);

// The 16 x 16 x 3 cell means of the marker's picture, rounded, in pattern
// layout [row][column][channel] with the frame's channel order.
void PictureCells(const BgraImage& marker, const MarkerLayout& layout,
                  unsigned char block[kPatternValues]);

// A side x side picture with each cell of the block as a uniform square.
BgraImage CellsPicture(const unsigned char block[kPatternValues], int side);
