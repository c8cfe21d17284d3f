#pragma once
// Real photographs for the detection tests and benchmarks: the marker-free
// corpus (photographs a Debian package installs, cut into camera-sized
// frames) and frames with small markers composited into them under their
// light, blurred, sharpened and JPEG-compressed as a webcam delivers them.
// Also the set of 40 patterns they are all matched against.

#include "imaging/bgra_image.h"
#include "synth/synth_scene.h"
#include "tracking/camera_param.h"

#include <functional>
#include <string>
#include <vector>

// Where the corpus lives (mate-backgrounds' photographs) and how many of
// its photographs must be there.
extern const char* const kRealPhotoPaths[];
constexpr int kRealPhotoCount = 13;
// Frames cut from each photograph: four 640 x 480 and two 1280 x 720 at
// full size, two 640 x 480 at half size, and the whole photograph fitted
// into 640 x 480 and into 1280 x 720.
constexpr int kFramesPerPhoto = 10;

// Calls visit(name, frame) for every frame of the corpus, one photograph
// decoded at a time. False with a message naming the missing or unreadable
// photograph (and what installs it) when the corpus is not complete.
bool ForEachRealFrame(const std::function<void(const std::string&, const BgraImage&)>& visit,
                      std::string* error);

// One frame of the corpus by its name ("YellowFlower/fit-vga": the
// photograph's file stem and the cut).
bool ReadRealFrame(const std::string& name, BgraImage* frame, std::string* error);

// The 640 x 480 frames of the corpus (the photograph fitted, and its two
// half-size cuts): the backgrounds of the composited frames.
bool ForEachRealVgaFrame(const std::function<void(const std::string&, const BgraImage&)>& visit,
                         std::string* error);

// The pictures of the 40 patterns: the bundled demo's three, 20 block
// pictures (the benchmarks' three first) and 17 smooth colour pictures
// such as photographs and logos make.
constexpr int kSurveyPatternCount = 40;
const std::vector<SynthPicture>& SurveyPictures();

// Resets the library, makes `camera` current and loads the 40 patterns:
// picture i gets slot i.
void LoadSurveyPatterns(const CameraParam& camera);

struct CompositeFrame
{
    SynthFrame frame;          // bgra after JPEG; truths as rendered
    std::vector<int> patterns; // per marker: its slot
};

// Eight markers of minSidePx..maxSidePx across, any turn, tilted up to 35
// degrees, composited into a 640 x 480 photograph (BenchCamera's size) lit
// as the photograph around them, with light falling off to one side, lens
// blur, sensor noise, a camera's sharpening and JPEG at quality 75.
CompositeFrame MakeCompositeFrame(const BgraImage& photo, uint32_t seed, double minSidePx,
                                  double maxSidePx);

// Whether marker `m` of the frame is among the results with its pattern and
// its turn: a result over it with that slot whose corner for the marker's
// corner k is near the true corner k.
struct MarkerInfo;
bool IdentifiedRight(const CompositeFrame& composite, size_t m, const MarkerInfo* markers,
                     int count);
