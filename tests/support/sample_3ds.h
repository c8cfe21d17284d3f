#pragma once
// Sample content for the model tests: a scene that exercises most of what
// lib3ds writes, and one that places and animates its meshes every way a
// 3DS file can.

#include "model_writers/write_3ds.h"


// A scene that exercises most of what lib3ds writes: two materials (one
// red, one textured with "checker.png"), a "$$$DUMMY" group node with two
// mesh children, a node moving along X over `frames` frames, and a spot
// light. Used as the seed of the fuzz tests and by the command-line tests.
Model3dsSpec RichScene(int frames = 10);

// A wall textured with "quadrants.png" (u repeated twice), its mesh matrix
// turned and moved, on a node turned, scaled unevenly and pivoted; under it
// a box in a material whose ambient, diffuse and specular colours differ,
// sliding and turning over three frames.
Model3dsSpec PlacedAndAnimatedScene();
