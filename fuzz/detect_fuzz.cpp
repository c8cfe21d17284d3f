// Detection and pose on small frames of any content, with the demo's three
// patterns loaded: every square found gets a fresh and a continued pose.

#include "demo/demo_content.h"
#include "demo/marker_files.h"
#include "fuzz_input.h"
#include "tracking/detection.h"
#include "tracking/pattern_matching.h"
#include "tracking/pose.h"

#include <cstdio>
#include <cstdlib>

namespace
{
constexpr double kMarkerWidthMm = 80.0;

void LoadDemoPatterns()
{
    for (const DemoPicture& picture : DemoPictures())
    {
        const std::string stem = FuzzFolder() + picture.name;
        std::string error;
        if (!MakeMarkerFiles(picture.picture, 64, stem + ".patt", stem + ".png", &error) ||
            loadPattern((stem + ".patt").c_str()) < 0)
        {
            std::fprintf(stderr, "cannot load the demo patterns: %s\n", error.c_str());
            std::abort();
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool s_bPatterns = (LoadDemoPatterns(), true);
    (void)s_bPatterns;
    const FuzzFrame frame = DecodeFuzzFrame(data, size);
    if (frame.bgra.empty())
        return 0;
    initCameraParam(FuzzCamera(frame.width, frame.height));
    MarkerInfo* markers = nullptr;
    int count = 0;
    if (detectMarkers(frame.bgra.data(), frame.threshold, &markers, &count) < 0)
        return 0;
    const double center[2] = {0.0, 0.0};
    for (int k = 0; k < count; ++k)
    {
        double pose[3][4] = {};
        if (estimateMarkerTransform(markers[k], center, kMarkerWidthMm, pose) >= 0.0)
            estimateMarkerTransformCont(markers[k], pose, center, kMarkerWidthMm, pose);
    }
    return 0;
}
