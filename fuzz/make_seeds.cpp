// fuzz_seeds DIR: writes a starting corpus for every fuzz target into
// DIR/<target>/, made by the program's own writers: the demo project with
// its markers, camera and house, small pictures in each format, and small
// frames with a marker for detection.

#include "demo/demo_content.h"
#include "demo/demo_progress.h"
#include "demo/demo_project.h"
#include "fuzz_input.h"
#include "imaging/image_file.h"
#include "synth/frame_renderer.h"
#include "synth/synth_pose.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{
bool Copy(const fs::path& from, const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    fs::copy_file(from, folder / from.filename(), fs::copy_options::overwrite_existing, error);
    if (error)
        std::fprintf(stderr, "%s: %s\n", from.c_str(), error.message().c_str());
    return !error;
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A seed of the mesh loader: its first byte picks the file name the rest
// is written under (1: model.gltf).
bool MeshSeed(const fs::path& from, char nameIndex, const fs::path& path)
{
    std::ifstream in(from, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        return false;
    WriteBytes(path, std::string(1, nameIndex) + bytes);
    return !bytes.empty();
}

BgraImage Gradient(int width, int height)
{
    BgraImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            unsigned char* pixel = image.Pixel(x, y);
            pixel[0] = static_cast<unsigned char>(x * 16);
            pixel[1] = static_cast<unsigned char>(y * 16);
            pixel[2] = static_cast<unsigned char>(x * y);
            pixel[3] = 255;
        }
    return image;
}

// A 4 x 4, 24-bit BMP: DevIL writes no BMP through our image layer.
std::string SmallBmp()
{
    std::string bytes(54, '\0');
    bytes += std::string(4 * 12, '\x80');
    auto put = [&bytes](size_t at, uint32_t value, int count)
    {
        for (int k = 0; k < count; ++k)
            bytes[at + k] = char(value >> (8 * k));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, uint32_t(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, 4, 4);
    put(22, 4, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return bytes;
}

// Frames of the detection target's layout: one demo marker, turned and
// tilted a little differently in each.
void WriteDetectionFrames(const fs::path& folder)
{
    constexpr int kWidth = 128;
    constexpr int kHeight = 96;
    const CameraParam camera = FuzzCamera(kWidth, kHeight);
    SynthOptions options;
    options.noiseSigma = 2.0;
    const CFrameRenderer renderer(camera, options);
    const std::vector<DemoPicture> pictures = DemoPictures();
    for (size_t k = 0; k < pictures.size(); ++k)
    {
        const SynthPicture picture = ToSynthPicture(pictures[k].picture);
        SynthMarker marker;
        marker.picture = &picture;
        const double position[3] = {0.0, 0.0, 160.0};
        markerPose(25.0 * double(k), 15.0, 30.0 * double(k), position, marker.cameraFromMarker);
        const SynthFrame frame = renderer.Render({marker}, SynthBackground());
        std::string bytes{char(kWidth - kFrameMinSide), char(kHeight - kFrameMinSide), char(100)};
        for (size_t p = 0; p < frame.bgra.size(); p += 4)
            bytes += char(frame.bgra[p]);
        WriteBytes(folder / (pictures[k].name + ".frame"), bytes);
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path demo = out / "demo";
    std::string error;
    CDemoProgress progress(stderr, false, 1);
    if (!WriteDemoProject(demo.string(), 1, progress, &error))
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    bool ok = Copy(demo / kDemoProjectFile, out / "project") &&
              Copy(demo / "camara.dat", out / "camera") &&
              Copy(demo / "modelos/casa.3ds", out / "check_3ds") &&
              Copy(demo / "modelos/casa.3ds", out / "load_3ds") &&
              MeshSeed(demo / "modelos/senal.gltf", 1, out / "load_mesh/senal");
    for (const DemoPicture& picture : DemoPictures())
        ok = ok && Copy(demo / "marcadores" / (picture.name + ".patt"), out / "pattern");
    fs::create_directories(out / "image");
    ok = ok && WritePngFile((out / "image/small.png").string(), Gradient(16, 12), &error) &&
         WriteJpegFile((out / "image/small.jpg").string(), Gradient(16, 12), 90, &error);
    WriteBytes(out / "image/small.bmp", SmallBmp());
    WriteDetectionFrames(out / "detect");
    fs::remove_all(demo);
    if (!ok)
        std::fprintf(stderr, "%s\n", error.c_str());
    return ok ? 0 : 1;
}
