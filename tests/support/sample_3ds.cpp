#include "support/sample_3ds.h"


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
