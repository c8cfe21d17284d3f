#pragma once
// A 3DS file copied into a CMeshModel that draws as C3dsScene draws the
// file, so every model the program reads can be written as glTF:
//
// - Nodes mirror lib3ds's tree. An object node's own transform is its
//   position, rotation and scale (lib3ds multiplies them onto its parent's
//   matrix); camera, target, light and spot nodes only move by their
//   position. A mesh sits under its node, moved by minus the node's pivot
//   (in a child node of its own), its points taken out of the mesh matrix's
//   frame as the display list does.
// - Each mesh is split by face material, one vertex per distinct point and
//   normal; the normals are lib3ds's smoothing-group normals the desktop
//   draws with, texture coordinates are scaled as the material says.
// - A material's base colour is what the unlit views show: the mean of its
//   ambient, diffuse and specular colours. Its first texture is keyed by
//   the name the material gives; a transparent material blends with alpha
//   1 - transparency (the desktop draws it opaque). Every material is
//   double-sided, since the desktop culls no faces.
// - Animation: every node that moves gets translation, rotation and scale
//   keys sampled at every frame, one 100 ms timer step each, so each step
//   shows exactly the desktop's frame (runs of equal keys are thinned).
//   Beyond 2^20 keys only the first frame's pose is kept.

#include "models/mesh_model.h"

#include <string>

// directory is prepended to texture names (empty, or ending in '/'). Loads
// through LoadChecked3ds; false with a one-line reason when the file is
// missing, refused or holds values that are not finite numbers, *pModel
// untouched then.
bool Load3dsAsMesh(const std::string& path, const std::string& directory, CMeshModel* pModel,
                   std::string* pReason);

// A 3DS file through Load3dsAsMesh, any other through LoadCheckedMesh, as
// the file's first bytes (or, when they tell nothing, its name) show.
bool LoadAnyModelAsMesh(const std::string& path, const std::string& directory, CMeshModel* pModel,
                        std::string* pReason);
