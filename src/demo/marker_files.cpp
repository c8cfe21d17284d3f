#include "demo/marker_files.h"

#include "demo/marker_image.h"
#include "imaging/image_file.h"
#include "synth/pattern_picture.h"

bool MakeMarkerFiles(const BgraImage& picture, int squareSide, const std::string& patternPath,
                     const std::string& imagePath, std::string* error)
{
    const MarkerLayout layout = MarkerLayoutFor(squareSide);
    const BgraImage marker = DrawMarker(FitPicture(picture, layout.pictureSide), layout);
    unsigned char block0[kPatternValues];
    PictureCells(marker, layout, block0);
    unsigned char blocks[kPatternOrientations][kPatternValues];
    OrientationBlocks(block0, blocks);
    if (!writePatternFile(patternPath, blocks, error))
        return false;
    return WritePngFile(imagePath, marker, error);
}
