#pragma once
// The parts of a synthetic frame that are not geometry: the background and
// what light, lens and sensor do to the image. Images are 3 floats per pixel
// (blue, green, red grey levels), row 0 first.

#include "synth/synth_scene.h"

#include <cstdint>
#include <vector>

// A uniform grey with dark blobs (discs and tilted squares) scattered over it.
void paintBackground(const SynthBackground& background, int width, int height,
                     std::vector<float>& image);

// The photograph as the background image, and the light it falls under at
// every pixel: its local mean brightness (over blocks of kPhotoLightBlockPx,
// interpolated) relative to paper's. A marker printed into the photograph is
// multiplied by it, so it is as dim in a shadow as what lies around it.
void paintPhoto(const unsigned char* bgra, int width, int height, std::vector<float>& image,
                std::vector<float>& light);

// Multiplies by a light that changes linearly across the frame: `level` at
// the centre, level +- gradient at the frame's edge in the given direction.
void applyLightGradient(double gradient, double angleDeg, int width, int height,
                        std::vector<float>& image, double level = 1.0);

// Multiplies by the shadow's light; nothing for a level of 1.
void applyShadow(const SynthShadow& shadow, int width, int height, std::vector<float>& image);

// The picture moving by lengthPx in the given direction while exposed: each
// pixel the mean of the picture along a segment of that length centred on
// it (bilinear samples, edges clamped); nothing for lengths <= 0.
void motionBlur(double lengthPx, double angleDeg, int width, int height,
                std::vector<float>& image);

// Separable Gaussian blur, edges clamped; nothing for sigma <= 0.
void gaussianBlur(double sigmaPx, int width, int height, std::vector<float>& image);

// Adds Gaussian noise, rounds and clamps each channel, and writes BGRA bytes
// with an opaque alpha.
void addNoiseAndPack(double sigma, uint32_t seed, const std::vector<float>& image,
                     std::vector<unsigned char>& bgra);
