#pragma once
// What the bundled demo is made of: three marker pictures of our own design
// and a small textured house, all written as real files.

#include "imaging/bgra_image.h"

#include <string>
#include <vector>

struct DemoPicture
{
    std::string name; // file stem: name.png, name.patt, name-imprimir.png
    BgraImage picture;
};

// "zelmora" (a bold R), "flecha" (an arrow on a bar) and "anillo" (a ring
// with a notch): none looks the same after a quarter turn, so every
// orientation can be told apart.
std::vector<DemoPicture> DemoPictures();

// Writes `folder`/casa.3ds through lib3ds and its brick texture
// `folder`/ladrillo.png: walls of side 50 and a red roof, standing on the
// marker plane. False with a reason when a file cannot be written.
bool WriteDemoHouse(const std::string& folder, std::string* error);
