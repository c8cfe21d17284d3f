#include "support/sample_3ds.h"

#include <cmath>

Model3dsSpec RichScene(int frames)
{
    Model3dsSpec scene;
    scene.frames = frames;

    MaterialSpec red;
    red.name = "Red";
    red.ambient = {0.6f, 0.0f, 0.0f};
    red.diffuse = {0.9f, 0.0f, 0.0f};
    red.specular = {0.3f, 0.3f, 0.3f};
    red.shininess = 0.5f;
    MaterialSpec textured;
    textured.name = "Checker";
    textured.ambient = textured.diffuse = textured.specular = {1.0f, 1.0f, 1.0f};
    textured.textureName = "checker.png";
    textured.uScale = 2.0f;
    scene.materials = {red, textured};

    scene.meshes = {SquareMesh("Left", {-0.5f, 0.0f, 0.0f}, 0.25f, 0, 2, "Red"),
                    SquareMesh("Right", {0.5f, 0.0f, 0.0f}, 0.25f, 0, 2, "Checker"),
                    SquareMesh("Mover", {0.0f, 0.0f, 0.5f}, 0.1f, 0, 2)};

    scene.nodes = {StillNode("$$$DUMMY", 0), StillNode("Left", 1, 0), StillNode("Right", 2, 0),
                   StillNode("Mover", 3)};
    scene.nodes.back().positionKeys = {PositionKeySpec{0, {-0.5f, 0.0f, 0.0f}},
                                       PositionKeySpec{frames, {0.5f, 0.0f, 0.0f}}};

    LightSpec light;
    light.name = "Spot";
    light.spot = true;
    light.colour = {0.5f, 0.4f, 0.3f};
    scene.lights = {light};
    return scene;
}

Model3dsSpec PlacedAndAnimatedScene()
{
    MaterialSpec brick = PlainMaterial("Ladrillo", {1.0f, 0.9f, 0.8f});
    brick.textureName = "quadrants.png";
    brick.uScale = 2.0f;
    MaterialSpec mixed;
    mixed.name = "Mezcla";
    mixed.ambient = {0.6f, 0.0f, 0.0f};
    mixed.diffuse = {0.9f, 0.3f, 0.0f};
    mixed.specular = {0.3f, 0.3f, 0.9f};

    MeshSpec wall = SquareMesh("Pared", {0.0f, 0.0f, 0.0f}, 0.3f, 0, 2, "Ladrillo");
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    wall.matrix = {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0.1f, 0.2f, 0, 1};
    NodeSpec wallNode = StillNode("Pared", 0);
    wallNode.pivot = {0.05f, 0.0f, 0.1f};
    wallNode.positionKeys = {PositionKeySpec{0, {-0.3f, 0.0f, 0.2f}}};
    wallNode.rotationKeys = {RotationKeySpec{0, {0.0f, 1.0f, 0.2f}, 0.4f}};
    wallNode.scale = {1.2f, 1.0f, 0.8f};

    NodeSpec boxNode = StillNode("Caja", 1, 0);
    boxNode.positionKeys = {PositionKeySpec{0, {0.5f, 0.0f, -0.4f}},
                            PositionKeySpec{3, {0.7f, -0.1f, 0.1f}}};
    boxNode.rotationKeys = {RotationKeySpec{0, {0.0f, 0.0f, 1.0f}, 0.0f},
                            RotationKeySpec{3, {1.0f, 0.0f, 0.0f}, 0.6f}};

    Model3dsSpec scene;
    scene.frames = 3;
    scene.materials = {brick, mixed};
    scene.meshes = {wall, CubeMesh("Caja", {0.0f, 0.0f, 0.0f}, 0.15f, "Mezcla")};
    scene.nodes = {wallNode, boxNode};
    return scene;
}
