#pragma once
// The pose of a CMeshModel at a moment of its animation: each node's own
// transform from its keys (linear between translation and scale keys,
// spherical between rotations, held before the first and after the last
// key), the nodes' transforms in the model's frame, and the model's box.
// Plain arithmetic on the model; no GL.

#include "models/mesh_model.h"

#include <vector>

// The editor steps animations on a 100 ms timer; a model's frames are its
// duration in such steps, rounded up.
constexpr double kAnimationFrameSec = 0.1;
int AnimationFrames(const CMeshModel& model);

// Each node's own transform at timeSec; the file's transforms without
// animation.
std::vector<Matrix4f> LocalPose(const CMeshModel& model, double timeSec);
// The transforms of the nodes in the model's frame, parents applied.
std::vector<Matrix4f> WorldPose(const CMeshModel& model, const std::vector<Matrix4f>& local);

Matrix4f Multiply(const Matrix4f& a, const Matrix4f& b);

struct ModelBox
{
    bool bEmpty = true;
    std::array<double, 3> min{0, 0, 0};
    std::array<double, 3> max{0, 0, 0};

    void Add(const std::array<double, 3>& point);
};

// The box around every drawn vertex in the model's frame, at rest.
ModelBox MeshModelBox(const CMeshModel& model);
