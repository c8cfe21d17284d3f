#pragma once
// Marker pictures for synthetic frames, and their pattern files: a pattern
// file holds a 16 x 16 picture in four orientations, so that a frame
// rendered from the picture matches the file it was made from.

#include "synth/synth_scene.h"
#include "tracking/pattern_table.h"

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kPictureCells = 16;

// A black-and-white picture of 4 x 4 blocks of 4 x 4 cells, random but
// distinct from its own quarter turns, so its orientation can be read.
SynthPicture makeBlockPicture(uint32_t seed);

// The picture the file's first orientation block holds (16 x 16, the file's
// channel planes as bytes 0..2). Empty with a message in `error` when the
// file cannot be read or holds fewer than 768 values in 0..255.
SynthPicture readPatternPicture(const std::string& path, std::string& error);

// Writes the pattern file of a picture (area-averaged to 16 x 16): block h
// is the picture turned h quarter turns counter-clockwise. False when the
// file cannot be written.
bool writePatternFile(const std::string& path, const SynthPicture& picture);

// Writes the four blocks as a pattern file through the atomic file writer:
// a failed write leaves the old file whole. False with `error`, when given,
// naming the file, when it cannot be written.
bool writePatternFile(const std::string& path,
                      const unsigned char blocks[kPatternOrientations][kPatternValues],
                      std::string* error = nullptr);

// The picture averaged over 16 x 16 cells.
SynthPicture cellPicture(const SynthPicture& picture);

// The one cell averager: the width x height pixels at `pixels` (`pixelBytes`
// apart, rows `rowBytes` apart, channels 0..2 used) split into 16 x 16 cells
// as evenly as whole pixels allow, each cell's rounded mean written to
// `cells` as [row][column][channel].
void averageCells(const unsigned char* pixels, int width, int height, int pixelBytes,
                  size_t rowBytes, unsigned char cells[kPictureCells * kPictureCells * 3]);
