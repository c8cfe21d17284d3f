#include "real_pictures.h"

#include "bench_scenes.h"
#include "demo/demo_content.h"
#include "imaging/image_file.h"
#include "synth/frame_effects.h"
#include "synth/frame_renderer.h"
#include "synth/pattern_picture.h"
#include "synth/synth_pose.h"
#include "tracking/marker_info.h"
#include "tracking/pattern_matching.h"
#include "tracking/tracking_state.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <unistd.h>

const char* const kRealPhotoPaths[kRealPhotoCount] = {
    "/usr/share/backgrounds/mate/nature/Aqua.jpg",
    "/usr/share/backgrounds/mate/nature/Blinds.jpg",
    "/usr/share/backgrounds/mate/nature/Dune.jpg",
    "/usr/share/backgrounds/mate/nature/FreshFlower.jpg",
    "/usr/share/backgrounds/mate/nature/Garden.jpg",
    "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg",
    "/usr/share/backgrounds/mate/nature/LadyBird.jpg",
    "/usr/share/backgrounds/mate/nature/RainDrops.jpg",
    "/usr/share/backgrounds/mate/nature/Storm.jpg",
    "/usr/share/backgrounds/mate/nature/TwoWings.jpg",
    "/usr/share/backgrounds/mate/nature/Wood.jpg",
    "/usr/share/backgrounds/mate/nature/YellowFlower.jpg",
    "/usr/share/backgrounds/mate/abstract/Elephants.jpg",
};

namespace
{
constexpr int kBlockPictures = 20;
constexpr int kSmoothPictures = kSurveyPatternCount - 3 - kBlockPictures;
constexpr int kSmoothPictureSide = 64;
constexpr int kCompositeMarkers = 8;
constexpr double kCompositeWidthMm = 80.0;
constexpr double kMaxTiltDeg = 35.0;
constexpr int kJpegQuality = 75;
constexpr double kSharpenSigmaPx = 1.0;
constexpr float kSharpenAmount = 0.6f; // a webcam's unsharp mask: a light halo at every edge

BgraImage Crop(const BgraImage& source, int x0, int y0, int width, int height)
{
    BgraImage crop(width, height);
    for (int y = 0; y < height; ++y)
        std::copy(source.Pixel(x0, y0 + y), source.Pixel(x0, y0 + y) + 4 * width, crop.Pixel(0, y));
    return crop;
}

// Box-filtered reduction by `scale` (< 1): every output pixel is the mean of
// the source pixels it covers, as a camera's sensor sees a farther scene.
BgraImage Reduce(const BgraImage& source, double scale)
{
    const int width = std::max(1, static_cast<int>(source.width * scale));
    const int height = std::max(1, static_cast<int>(source.height * scale));
    BgraImage reduced(width, height);
    for (int y = 0; y < height; ++y)
    {
        const int y0 = static_cast<int>(y / scale);
        const int y1 = std::max(y0 + 1, std::min(source.height, static_cast<int>((y + 1) / scale)));
        for (int x = 0; x < width; ++x)
        {
            const int x0 = static_cast<int>(x / scale);
            const int x1 =
                std::max(x0 + 1, std::min(source.width, static_cast<int>((x + 1) / scale)));
            unsigned sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += source.Pixel(sx, sy)[c];
            const unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            unsigned char* pixel = reduced.Pixel(x, y);
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<unsigned char>(sum[c] / n);
            pixel[3] = 255;
        }
    }
    return reduced;
}

// The whole photograph reduced until it covers width x height, centre cut.
BgraImage Fit(const BgraImage& source, int width, int height)
{
    const double scale = std::max(double(width) / source.width, double(height) / source.height);
    const BgraImage reduced = Reduce(source, scale);
    return Crop(reduced, (reduced.width - width) / 2, (reduced.height - height) / 2, width, height);
}

bool ReadPhoto(int index, BgraImage* photo, std::string* error)
{
    if (ReadImageFile(kRealPhotoPaths[index], photo, error) && photo->width >= 1280 &&
        photo->height >= 960)
        return true;
    if (error->empty())
        *error = std::string(kRealPhotoPaths[index]) + ": smaller than 1280 x 960";
    *error += " (the corpus of real photographs comes with the package mate-backgrounds, which "
              "scripts/install-deps.sh installs)";
    return false;
}

std::string Name(int photo, const char* cut)
{
    return std::filesystem::path(kRealPhotoPaths[photo]).stem().string() + "/" + cut;
}

// A colour picture of a few soft blobs on a coloured ground: what a
// photograph or a logo put inside a marker holds.
SynthPicture SmoothPicture(uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    SynthPicture picture;
    picture.width = picture.height = kSmoothPictureSide;
    std::vector<double> image(3 * kSmoothPictureSide * kSmoothPictureSide);
    const double ground[3] = {255 * unit(random), 255 * unit(random), 255 * unit(random)};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = ground[i % 3];
    const int blobs = 2 + static_cast<int>(random() % 4);
    for (int b = 0; b < blobs; ++b)
    {
        const double cx = kSmoothPictureSide * unit(random);
        const double cy = kSmoothPictureSide * unit(random);
        const double radius = kSmoothPictureSide * (0.1 + 0.25 * unit(random));
        const double colour[3] = {255 * unit(random), 255 * unit(random), 255 * unit(random)};
        for (int y = 0; y < kSmoothPictureSide; ++y)
            for (int x = 0; x < kSmoothPictureSide; ++x)
            {
                const double d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
                const double weight = std::exp(-d2);
                for (int c = 0; c < 3; ++c)
                {
                    double& value = image[3 * (y * kSmoothPictureSide + x) + c];
                    value += weight * (colour[c] - value);
                }
            }
    }
    picture.bgr.resize(image.size());
    for (size_t i = 0; i < image.size(); ++i)
        picture.bgr[i] = static_cast<unsigned char>(std::clamp(std::lround(image[i]), 0L, 255L));
    return picture;
}

void Sharpen(int width, int height, std::vector<unsigned char>& bgra)
{
    const size_t pixels = static_cast<size_t>(width) * height;
    std::vector<float> image(3 * pixels);
    for (size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c)
            image[3 * i + c] = bgra[4 * i + c];
    std::vector<float> blurred = image;
    gaussianBlur(kSharpenSigmaPx, width, height, blurred);
    for (size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c)
        {
            const float value = image[3 * i + c] + kSharpenAmount * (image[3 * i + c] - blurred[3 * i + c]);
            bgra[4 * i + c] = static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
        }
}

// Through a JPEG file and back, as a webcam's compressed stream arrives.
void JpegRoundTrip(SynthFrame& frame)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zelmora-composite-" + std::to_string(::getpid()) + ".jpg"))
                                 .string();
    BgraImage image(frame.width, frame.height);
    image.pixels = frame.bgra;
    std::string error;
    BgraImage decoded;
    if (WriteJpegFile(path, image, kJpegQuality, &error) && ReadImageFile(path, &decoded, &error) &&
        decoded.width == frame.width && decoded.height == frame.height)
        frame.bgra = decoded.pixels;
    std::filesystem::remove(path);
}
} // namespace

namespace
{
void CutPhoto(int p, const BgraImage& photo,
              const std::function<void(const std::string&, const BgraImage&)>& visit)
{
        const int w = photo.width;
        const int h = photo.height;
        const int vga[4][2] = {{w / 4 - 320, h / 4 - 240},
                               {3 * w / 4 - 320, h / 4 - 240},
                               {w / 4 - 320, 3 * h / 4 - 240},
                               {3 * w / 4 - 320, 3 * h / 4 - 240}};
        for (int k = 0; k < 4; ++k)
            visit(Name(p, "vga") + std::to_string(k),
                  Crop(photo, std::clamp(vga[k][0], 0, w - 640), std::clamp(vga[k][1], 0, h - 480),
                       640, 480));
        visit(Name(p, "hd0"), Crop(photo, 0, 0, 1280, 720));
        visit(Name(p, "hd1"), Crop(photo, w - 1280, h - 720, 1280, 720));
        const BgraImage half = Reduce(photo, 0.5);
        visit(Name(p, "half0"), Crop(half, 0, half.height - 480, 640, 480));
        visit(Name(p, "half1"), Crop(half, half.width - 640, 0, 640, 480));
        visit(Name(p, "fit-vga"), Fit(photo, 640, 480));
        visit(Name(p, "fit-hd"), Fit(photo, 1280, 720));
}
} // namespace

bool ForEachRealFrame(const std::function<void(const std::string&, const BgraImage&)>& visit,
                      std::string* error)
{
    for (int p = 0; p < kRealPhotoCount; ++p)
    {
        BgraImage photo;
        if (!ReadPhoto(p, &photo, error))
            return false;
        CutPhoto(p, photo, visit);
    }
    return true;
}

bool ReadRealFrame(const std::string& name, BgraImage* frame, std::string* error)
{
    for (int p = 0; p < kRealPhotoCount; ++p)
    {
        if (name.rfind(Name(p, ""), 0) != 0)
            continue;
        BgraImage photo;
        if (!ReadPhoto(p, &photo, error))
            return false;
        bool found = false;
        CutPhoto(p, photo,
                 [&](const std::string& cut, const BgraImage& image)
                 {
                     if (cut == name)
                     {
                         *frame = image;
                         found = true;
                     }
                 });
        if (found)
            return true;
    }
    *error = name + ": no such frame in the corpus";
    return false;
}

bool ForEachRealVgaFrame(const std::function<void(const std::string&, const BgraImage&)>& visit,
                         std::string* error)
{
    return ForEachRealFrame(
        [&](const std::string& name, const BgraImage& frame)
        {
            if (name.find("half") != std::string::npos || name.find("fit-vga") != std::string::npos)
                visit(name, frame);
        },
        error);
}

const std::vector<SynthPicture>& SurveyPictures()
{
    static const std::vector<SynthPicture> pictures = []
    {
        std::vector<SynthPicture> list;
        for (const DemoPicture& demo : DemoPictures())
            list.push_back(ToSynthPicture(demo.picture));
        for (int i = 0; i < kBlockPictures; ++i)
            list.push_back(makeBlockPicture(11 + i));
        for (int i = 0; i < kSmoothPictures; ++i)
            list.push_back(SmoothPicture(500 + i));
        return list;
    }();
    return pictures;
}

void LoadSurveyPatterns(const CameraParam& camera)
{
    LoadPatternPictures(camera, SurveyPictures(), SurveyPictures().size());
}

CompositeFrame MakeCompositeFrame(const BgraImage& photo, uint32_t seed, double minSidePx,
                                  double maxSidePx)
{
    const CameraParam camera = BenchCamera(photo.width, photo.height);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // One marker per cell of a 4 x 3 grid, eight cells of twelve.
    constexpr int kColumns = 4;
    constexpr int kRows = 3;
    std::vector<int> cells(kColumns * kRows);
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = static_cast<int>(i);
    std::shuffle(cells.begin(), cells.end(), random);

    CompositeFrame composite;
    std::vector<SynthMarker> markers;
    for (int m = 0; m < kCompositeMarkers; ++m)
    {
        const int pattern = static_cast<int>(random() % kSurveyPatternCount);
        const double side = minSidePx + (maxSidePx - minSidePx) * unit(random);
        const double u = (cells[m] % kColumns + 0.3 + 0.4 * unit(random)) * photo.width / kColumns;
        const double v = (cells[m] / kColumns + 0.3 + 0.4 * unit(random)) * photo.height / kRows;
        const double depth = camera.mat[0][0] * kCompositeWidthMm / side;
        const double position[3] = {(u - camera.mat[0][2]) * depth / camera.mat[0][0],
                                    (v - camera.mat[1][2]) * depth / camera.mat[1][1], depth};
        SynthMarker marker;
        marker.picture = &SurveyPictures()[pattern];
        marker.widthMm = kCompositeWidthMm;
        marker.marginMm = kCompositeWidthMm / 5.0;
        markerPose(360.0 * unit(random), kMaxTiltDeg * unit(random), 360.0 * unit(random),
                   position, marker.cameraFromMarker);
        markers.push_back(marker);
        composite.patterns.push_back(pattern);
    }
    SynthOptions options;
    options.noiseSigma = 2.5;
    options.blurSigmaPx = 0.7;
    options.lightGradient = 0.35;
    options.lightAngleDeg = 360.0 * unit(random);
    options.seed = seed;
    SynthBackground background;
    background.photoBgra = photo.pixels.data();
    composite.frame = CFrameRenderer(camera, options).Render(markers, background);
    Sharpen(composite.frame.width, composite.frame.height, composite.frame.bgra);
    JpegRoundTrip(composite.frame);
    return composite;
}

bool IdentifiedRight(const CompositeFrame& composite, size_t m, const MarkerInfo* markers,
                     int count)
{
    const SynthTruth& truth = composite.frame.truths[m];
    const double side = std::hypot(truth.idealCorners[1][0] - truth.idealCorners[0][0],
                                   truth.idealCorners[1][1] - truth.idealCorners[0][1]);
    for (int i = 0; i < count; ++i)
    {
        const MarkerInfo& marker = markers[i];
        if (marker.id != composite.patterns[m] || marker.dir < 0)
            continue;
        bool cornersMatch = true;
        for (int k = 0; k < 4 && cornersMatch; ++k)
        {
            const double* corner = marker.vertex[(4 + k - marker.dir) % 4];
            cornersMatch = std::hypot(corner[0] - truth.idealCorners[k][0],
                                      corner[1] - truth.idealCorners[k][1]) < 0.25 * side;
        }
        if (cornersMatch)
            return true;
    }
    return false;
}
