#include "models/mesh_pose.h"

#include <algorithm>
#include <cmath>

namespace
{
using Vec3 = std::array<float, 3>;
using Quat = std::array<float, 4>;
// Below this the quaternions are so close that a straight blend is exact
// enough and the spherical one would divide by almost zero.
constexpr float kSlerpLinearCosine = 0.9995f;
// Durations are decimal seconds that doubles and files' floats hold
// inexactly (3 x 0.1 s is 0.30000000000000004 s): passing a whole step by
// less than a hundredth of one adds no step.
constexpr double kStepRounding = 0.01;

Vec3 Lerp(const Vec3& a, const Vec3& b, float t)
{
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

Quat Slerp(const Quat& a, Quat b, float t)
{
    float cosine = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    // The shorter way round: q and -q are the same rotation.
    if (cosine < 0.0f)
    {
        cosine = -cosine;
        for (float& c : b)
            c = -c;
    }
    float wa = 1.0f - t;
    float wb = t;
    if (cosine < kSlerpLinearCosine)
    {
        const float angle = std::acos(cosine);
        wa = std::sin((1.0f - t) * angle) / std::sin(angle);
        wb = std::sin(t * angle) / std::sin(angle);
    }
    Quat q;
    float norm = 0.0f;
    for (int k = 0; k < 4; ++k)
    {
        q[size_t(k)] = wa * a[size_t(k)] + wb * b[size_t(k)];
        norm += q[size_t(k)] * q[size_t(k)];
    }
    norm = norm > 0.0f ? std::sqrt(norm) : 1.0f;
    for (float& c : q)
        c /= norm;
    return q;
}

template <typename Key, typename Value, typename Blend>
Value Sample(const std::vector<Key>& keys, double timeSec, Blend blend)
{
    const auto after = std::upper_bound(keys.begin(), keys.end(), timeSec,
                                        [](double t, const Key& key) { return t < key.dTimeSec; });
    if (after == keys.begin())
        return keys.front().value;
    if (after == keys.end())
        return keys.back().value;
    const Key& before = *(after - 1);
    const double span = after->dTimeSec - before.dTimeSec;
    const float t = span > 0.0 ? float((timeSec - before.dTimeSec) / span) : 0.0f;
    return blend(before.value, after->value, t);
}

// Splits a transform without shear into translation, rotation and scale,
// so that a track that animates one part keeps the file's other parts.
void Decompose(const Matrix4f& m, Vec3* pTranslation, Quat* pRotation, Vec3* pScale)
{
    *pTranslation = {m[12], m[13], m[14]};
    float r[3][3];
    for (int column = 0; column < 3; ++column)
    {
        const float* c = &m[size_t(column * 4)];
        float length = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
        (*pScale)[size_t(column)] = length;
        if (length == 0.0f)
            length = 1.0f;
        for (int row = 0; row < 3; ++row)
            r[row][column] = c[row] / length;
    }
    const float trace = r[0][0] + r[1][1] + r[2][2];
    Quat& q = *pRotation;
    if (trace > 0.0f)
    {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q = {(r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s, 0.25f * s};
    }
    else if (r[0][0] > r[1][1] && r[0][0] > r[2][2])
    {
        const float s = std::sqrt(1.0f + r[0][0] - r[1][1] - r[2][2]) * 2.0f;
        q = {0.25f * s, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s, (r[2][1] - r[1][2]) / s};
    }
    else if (r[1][1] > r[2][2])
    {
        const float s = std::sqrt(1.0f + r[1][1] - r[0][0] - r[2][2]) * 2.0f;
        q = {(r[0][1] + r[1][0]) / s, 0.25f * s, (r[1][2] + r[2][1]) / s, (r[0][2] - r[2][0]) / s};
    }
    else
    {
        const float s = std::sqrt(1.0f + r[2][2] - r[0][0] - r[1][1]) * 2.0f;
        q = {(r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, 0.25f * s, (r[1][0] - r[0][1]) / s};
    }
}

Matrix4f Compose(const Vec3& t, const Quat& q, const Vec3& s)
{
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    const float r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                           {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                           {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    Matrix4f m{};
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            m[size_t(column * 4 + row)] = r[row][column] * s[size_t(column)];
    m[12] = t[0];
    m[13] = t[1];
    m[14] = t[2];
    m[15] = 1.0f;
    return m;
}
} // namespace

int AnimationFrames(const CMeshModel& model)
{
    if (model.tracks.empty())
        return 0;
    return int(std::ceil(model.dDurationSec / kAnimationFrameSec - kStepRounding));
}

Matrix4f Multiply(const Matrix4f& a, const Matrix4f& b)
{
    Matrix4f m{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
        {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[size_t(k * 4 + row)] * b[size_t(column * 4 + k)];
            m[size_t(column * 4 + row)] = sum;
        }
    return m;
}

std::vector<Matrix4f> LocalPose(const CMeshModel& model, double timeSec)
{
    std::vector<Matrix4f> local(model.nodes.size());
    for (size_t k = 0; k < model.nodes.size(); ++k)
        local[k] = model.nodes[k].local;
    for (const NodeTrack& track : model.tracks)
    {
        if (track.nNode < 0 || size_t(track.nNode) >= local.size())
            continue;
        Vec3 translation, scale;
        Quat rotation;
        Decompose(local[size_t(track.nNode)], &translation, &rotation, &scale);
        if (!track.translation.empty())
            translation = Sample<VectorKey, Vec3>(track.translation, timeSec, Lerp);
        if (!track.rotation.empty())
            rotation = Sample<RotationKey, Quat>(track.rotation, timeSec, Slerp);
        if (!track.scale.empty())
            scale = Sample<VectorKey, Vec3>(track.scale, timeSec, Lerp);
        local[size_t(track.nNode)] = Compose(translation, rotation, scale);
    }
    return local;
}

std::vector<Matrix4f> WorldPose(const CMeshModel& model, const std::vector<Matrix4f>& local)
{
    std::vector<Matrix4f> world(local.size());
    for (size_t k = 0; k < local.size(); ++k)
    {
        const int parent = model.nodes[k].nParent;
        world[k] = parent < 0 ? local[k] : Multiply(world[size_t(parent)], local[k]);
    }
    return world;
}

void ModelBox::Add(const std::array<double, 3>& point)
{
    for (size_t axis = 0; axis < 3; ++axis)
    {
        if (bEmpty || point[axis] < min[axis])
            min[axis] = point[axis];
        if (bEmpty || point[axis] > max[axis])
            max[axis] = point[axis];
    }
    bEmpty = false;
}

ModelBox MeshModelBox(const CMeshModel& model)
{
    ModelBox box;
    const std::vector<Matrix4f> world = WorldPose(model, LocalPose(model, 0.0));
    for (size_t n = 0; n < model.nodes.size(); ++n)
        for (int mesh : model.nodes[n].meshes)
        {
            const MeshData& data = model.meshes[size_t(mesh)];
            const Matrix4f& m = world[n];
            for (unsigned int index : data.indices)
            {
                const float* p = &data.positions[size_t(index) * 3];
                std::array<double, 3> point;
                for (size_t axis = 0; axis < 3; ++axis)
                    point[axis] =
                        m[axis] * p[0] + m[4 + axis] * p[1] + m[8 + axis] * p[2] + m[12 + axis];
                box.Add(point);
            }
        }
    return box;
}
