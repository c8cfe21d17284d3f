#pragma once
// Writes 3DS files through lib3ds's own writer from a plain description:
// materials, meshes with their matrices, keyframer nodes with position,
// rotation and scale keys, lights. Used by the demo project and by the
// tests, which so read the bytes a modelling program would hand them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Vec3f = std::array<float, 3>;

struct MaterialSpec
{
    std::string name;
    Vec3f ambient{0.2f, 0.2f, 0.2f};
    Vec3f diffuse{0.8f, 0.8f, 0.8f};
    Vec3f specular{0.0f, 0.0f, 0.0f};
    float shininess = 0.0f;
    std::string textureName; // first texture map; empty for none
    float uScale = 1.0f;
    float vScale = 1.0f;
    float transparency = 0.0f; // 0 opaque .. 1 clear
};

struct MeshSpec
{
    std::string name;
    std::vector<Vec3f> points;
    std::vector<std::array<uint16_t, 3>> faces;
    std::vector<std::string> faceMaterials;   // one per face, empty for none
    std::vector<std::array<float, 2>> texels; // empty, or one per point
    // The object's frame when its points were stored, column-major as lib3ds
    // keeps it; the keyframer places the points relative to it.
    std::array<float, 16> matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct PositionKeySpec
{
    int frame = 0;
    Vec3f position{0.0f, 0.0f, 0.0f};
};

// 3DS stores each rotation key as a turn about an axis from the key before.
struct RotationKeySpec
{
    int frame = 0;
    Vec3f axis{0.0f, 0.0f, 1.0f};
    float angleRad = 0.0f;
};

constexpr int kNoParent = -1;

// An object node of the keyframer. It always has rotation and scale keys,
// as exporters write them: lib3ds takes a missing scale track as scale 0.
struct NodeSpec
{
    std::string name;
    int id = 0;
    int parentId = kNoParent;
    Vec3f pivot{0.0f, 0.0f, 0.0f};
    std::vector<PositionKeySpec> positionKeys{PositionKeySpec{}};
    std::vector<RotationKeySpec> rotationKeys{RotationKeySpec{}};
    Vec3f scale{1.0f, 1.0f, 1.0f};
};

struct LightSpec
{
    std::string name;
    Vec3f colour{1.0f, 1.0f, 1.0f};
    Vec3f position{0.0f, 0.0f, 10.0f};
    bool spot = false;
    Vec3f target{0.0f, 0.0f, 0.0f};
    float hotSpotDeg = 30.0f;
};

struct Model3dsSpec
{
    std::vector<MaterialSpec> materials;
    std::vector<MeshSpec> meshes;
    std::vector<NodeSpec> nodes;
    std::vector<LightSpec> lights;
    int frames = 0;
};

// Writes the scene with lib3ds_file_save; throws std::runtime_error when
// lib3ds refuses.
void Write3ds(const Model3dsSpec& scene, const std::string& path);

// A square of side 2 * half centred on centre, in the plane the two axes
// span (0 = X, 1 = Y, 2 = Z), as two faces with texture coordinates 0..1.
MeshSpec SquareMesh(const std::string& name, const Vec3f& centre, float half, int axisU,
                      int axisV, const std::string& material = "");

// A single-colour material: ambient, diffuse and specular all `colour`.
MaterialSpec PlainMaterial(const std::string& name, const Vec3f& colour);

// A cube of 12 faces, side 2 * half, centred on centre.
MeshSpec CubeMesh(const std::string& name, const Vec3f& centre, float half,
                  const std::string& material = "");

// A node of the given name and id, standing still at the origin.
NodeSpec StillNode(const std::string& name, int id, int parentId = kNoParent);
