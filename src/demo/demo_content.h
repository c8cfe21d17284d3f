#pragma once
// What the bundled demo is made of: three marker pictures of our own design
// and a small textured house, all written as real files.

#include "imaging/bgra_image.h"
#include "project/tracker.h"
#include "synth/synth_scene.h"

#include <list>
#include <string>
#include <vector>

// Used until the automatic threshold is first computed, 26 frames in (a new
// project's 0 finds nothing).
constexpr int kDemoStartThreshold = 100;

struct DemoPicture
{
    std::string name; // file stem: name.png, name.patt, name-imprimir.png
    BgraImage picture;
};

// "zelmora" (a bold R), "flecha" (an arrow on a bar) and "anillo" (a ring
// with a notch): none looks the same after a quarter turn, so every
// orientation can be told apart.
std::vector<DemoPicture> DemoPictures();

// The picture as the renderer prints it: 3 bytes a pixel, same channel order.
SynthPicture ToSynthPicture(const BgraImage& image);

// The demo's trackers, without models: "Coche" on the two-marker board
// (zelmora, the reference, and flecha) and "Señal" on anillo, with pattern
// files `patternFolder`/name.patt.
std::list<CTracker> DemoTrackers(const std::string& patternFolder);

// Writes `folder`/casa.3ds through lib3ds and its brick texture
// `folder`/ladrillo.png: walls of side 50 and a red roof, standing on the
// marker plane. False with a reason when a file cannot be written.
bool WriteDemoHouse(const std::string& folder, std::string* error);
