#pragma once
// Sample 3DS files written through lib3ds's own writer, and PNG textures
// written through DevIL, so the model tests read the same bytes a modelling
// program would hand them.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Vec3f = std::array<float, 3>;

struct SampleMaterial
{
    std::string name;
    Vec3f ambient{0.2f, 0.2f, 0.2f};
    Vec3f diffuse{0.8f, 0.8f, 0.8f};
    Vec3f specular{0.0f, 0.0f, 0.0f};
    float shininess = 0.0f;
    std::string textureName; // first texture map; empty for none
    float uScale = 1.0f;
    float vScale = 1.0f;
};

struct SampleMesh
{
    std::string name;
    std::vector<Vec3f> points;
    std::vector<std::array<uint16_t, 3>> faces;
    std::vector<std::string> faceMaterials;   // one per face, empty for none
    std::vector<std::array<float, 2>> texels; // empty, or one per point
};

struct SamplePositionKey
{
    int frame = 0;
    Vec3f position{0.0f, 0.0f, 0.0f};
};

constexpr int kNoParent = -1;

// An object node of the keyframer. It has a rotation key (none) and a scale
// key (1, 1, 1), as exporters write them: lib3ds takes a missing scale
// track as scale 0.
struct SampleNode
{
    std::string name;
    int id = 0;
    int parentId = kNoParent;
    Vec3f pivot{0.0f, 0.0f, 0.0f};
    std::vector<SamplePositionKey> positionKeys{SamplePositionKey{}};
};

struct SampleLight
{
    std::string name;
    Vec3f colour{1.0f, 1.0f, 1.0f};
    Vec3f position{0.0f, 0.0f, 10.0f};
    bool spot = false;
    Vec3f target{0.0f, 0.0f, 0.0f};
    float hotSpotDeg = 30.0f;
};

struct Sample3ds
{
    std::vector<SampleMaterial> materials;
    std::vector<SampleMesh> meshes;
    std::vector<SampleNode> nodes;
    std::vector<SampleLight> lights;
    int frames = 0;
};

// Writes the scene with lib3ds_file_save; throws std::runtime_error when
// lib3ds refuses.
void Write3ds(const Sample3ds& scene, const std::string& path);

// A square of side 2 * half centred on centre, in the plane the two axes
// span (0 = X, 1 = Y, 2 = Z), as two faces with texture coordinates 0..1.
SampleMesh SquareMesh(const std::string& name, const Vec3f& centre, float half, int axisU,
                      int axisV, const std::string& material = "");

// A node of the given name and id, standing still at the origin.
SampleNode StillNode(const std::string& name, int id, int parentId = kNoParent);

// A scene that exercises most of what lib3ds writes: two materials (one
// red, one textured with "checker.png"), a "$$$DUMMY" group node with two
// mesh children, a node moving along X over `frames` frames, and a spot
// light. Used as the seed of the fuzz tests and by the command-line tests.
Sample3ds RichScene(int frames = 10);

struct Rgba8
{
    uint8_t r, g, b, a;
};

// Writes a width x height PNG through DevIL; colourAt(x, y) with y = 0 the
// top row of the picture.
void WritePng(const std::string& path, int width, int height,
              const std::function<Rgba8(int x, int y)>& colourAt);

struct PngPicture
{
    int width = 0;
    int height = 0;
    std::vector<Rgba8> pixels; // row 0 the top of the picture

    const Rgba8& At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Reads a picture through DevIL; an empty picture when it cannot.
PngPicture ReadPng(const std::string& path);
