#include "demo/demo_content.h"

#include "demo/demo_sequence.h"
#include "imaging/image_file.h"
#include "model_writers/write_3ds.h"

#include <stdexcept>

namespace
{
constexpr int kArtSide = 16;
constexpr int kPictureScale = 4; // each art cell becomes 4 x 4 pixels
// The demo's markers keep moving: a short average, restarted whenever two
// raw poses differ by more than a still marker's jitter, so it smooths a
// marker at rest and never lags behind a moving one.
constexpr int kAveragedFrames = 3;
constexpr float kMovingTolerance = 0.5f;

// 16 x 16 pixel art; '#' is ink.
const char* const kZelmora[kArtSide] = {
    "................", "..##########....", "..###########...", "..###.....####..",
    "..###......###..", "..###.....####..", "..###########...", "..##########....",
    "..###...####....", "..###....####...", "..###.....####..", "..###......####.",
    "..###.......###.", "................", "................", "................"};
const char* const kFlecha[kArtSide] = {
    "................", ".......##.......", "......####......", ".....######.....",
    "....########....", "...####..####...", ".......##.......", ".......##.......",
    ".......##.......", ".......##.......", ".......##.......", ".......##.......",
    ".##############.", ".##############.", "................", "................"};
const char* const kAnillo[kArtSide] = {
    "................", ".....######.....", "...##########...", "..####....####..",
    "..###......###..", ".###........###.", ".###...##...###.", ".###...##.......",
    ".###............", ".###........###.", "..###......###..", "..####....####..",
    "...##########...", ".....######.....", "................", "................"};

BgraImage PictureFromArt(const char* const art[kArtSide])
{
    const int side = kArtSide * kPictureScale;
    BgraImage picture(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const bool ink = art[y / kPictureScale][x / kPictureScale] == '#';
            unsigned char* pixel = picture.Pixel(x, y);
            pixel[0] = pixel[1] = pixel[2] = ink ? 0 : 255;
            pixel[3] = 255;
        }
    return picture;
}

// Red bricks with pale mortar, 32 x 32.
BgraImage BrickTexture()
{
    constexpr int kSide = 32;
    BgraImage texture(kSide, kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
        {
            const int course = y / 8;
            const bool mortar = y % 8 == 0 || (x + (course % 2) * 8) % 16 == 0;
            unsigned char* pixel = texture.Pixel(x, y);
            pixel[0] = mortar ? 200 : 40;  // blue
            pixel[1] = mortar ? 210 : 60;  // green
            pixel[2] = mortar ? 220 : 170; // red
            pixel[3] = 255;
        }
    return texture;
}

// The four walls of a box of half side h and height `height`, with texture
// coordinates running once around each wall.
MeshSpec Walls(float h, float height)
{
    MeshSpec mesh;
    mesh.name = "Paredes";
    const float corners[5][2] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}, {-h, -h}};
    for (int side = 0; side < 4; ++side)
    {
        const uint16_t base = static_cast<uint16_t>(mesh.points.size());
        for (int k = 0; k < 2; ++k)
        {
            const float* corner = corners[side + k];
            mesh.points.push_back({corner[0], corner[1], 0.0f});
            mesh.points.push_back({corner[0], corner[1], height});
            mesh.texels.push_back({static_cast<float>(k), 0.0f});
            mesh.texels.push_back({static_cast<float>(k), 1.0f});
        }
        mesh.faces.push_back({base, static_cast<uint16_t>(base + 2), static_cast<uint16_t>(base + 3)});
        mesh.faces.push_back({base, static_cast<uint16_t>(base + 3), static_cast<uint16_t>(base + 1)});
    }
    mesh.faceMaterials.assign(mesh.faces.size(), "Ladrillo");
    return mesh;
}

CPattern DemoPattern(const std::string& folder, const std::string& name)
{
    CPattern pattern;
    pattern.m_strName = name;
    pattern.m_strFile = folder + "/" + name + ".patt";
    pattern.m_nWidth = static_cast<int>(kDemoMarkerWidthMm);
    pattern.m_nFrames = kAveragedFrames;
    pattern.m_fTolerance = kMovingTolerance;
    return pattern;
}

MeshSpec Roof(float h, float eaves, float ridge)
{
    MeshSpec mesh;
    mesh.name = "Tejado";
    mesh.points = {{-h, -h, eaves}, {h, -h, eaves}, {h, h, eaves}, {-h, h, eaves}, {0, 0, ridge}};
    mesh.faces = {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
    mesh.faceMaterials.assign(mesh.faces.size(), "Teja");
    return mesh;
}
} // namespace

std::vector<DemoPicture> DemoPictures()
{
    return {{"zelmora", PictureFromArt(kZelmora)},
            {"flecha", PictureFromArt(kFlecha)},
            {"anillo", PictureFromArt(kAnillo)}};
}

SynthPicture ToSynthPicture(const BgraImage& image)
{
    SynthPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            picture.bgr.insert(picture.bgr.end(), image.Pixel(x, y), image.Pixel(x, y) + 3);
    return picture;
}

std::list<CTracker> DemoTrackers(const std::string& patternFolder)
{
    std::list<CTracker> trackers(2);
    CTracker& board = trackers.front();
    board.m_strName = "Coche";
    board.m_patterns = {DemoPattern(patternFolder, "zelmora"), DemoPattern(patternFolder, "flecha")};
    board.SetReferenceIndex(0);
    CTracker& single = trackers.back();
    single.m_strName = "Señal";
    single.m_patterns = {DemoPattern(patternFolder, "anillo")};
    single.SetReferenceIndex(0);
    return trackers;
}

bool WriteDemoHouse(const std::string& folder, std::string* error)
{
    if (!WritePngFile(folder + "/ladrillo.png", BrickTexture(), error))
        return false;

    constexpr float kHalfSide = 25.0f;
    Model3dsSpec house;
    MaterialSpec brick;
    brick.name = "Ladrillo";
    brick.ambient = brick.diffuse = brick.specular = {1.0f, 1.0f, 1.0f};
    brick.textureName = "ladrillo.png";
    MaterialSpec tile;
    tile.name = "Teja";
    tile.ambient = tile.diffuse = tile.specular = {0.75f, 0.15f, 0.1f};
    house.materials = {brick, tile};
    house.meshes = {Walls(kHalfSide, 40.0f), Roof(kHalfSide + 4.0f, 40.0f, 65.0f)};
    house.nodes = {StillNode("Paredes", 0), StillNode("Tejado", 1)};
    try
    {
        Write3ds(house, folder + "/casa.3ds");
    }
    catch (const std::exception& e)
    {
        *error = e.what();
        return false;
    }
    return true;
}
