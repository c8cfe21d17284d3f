#include "synth/frame_renderer.h"

#include "synth/frame_effects.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int kOutlineSamples = 32; // per paper edge, to bound the curved outline
constexpr int kBoxMarginPx = 2;

bool Invert3x3(const double m[3][4], double inv[3][3])
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (det == 0.0 || !std::isfinite(det))
        return false;
    inv[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    inv[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    inv[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    inv[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    inv[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    inv[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    inv[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    inv[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    inv[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return true;
}

void MarkerToCamera(const double t[3][4], double x, double y, double out[3])
{
    for (int r = 0; r < 3; ++r)
        out[r] = t[r][0] * x + t[r][1] * y + t[r][3];
}

// Half the side of the square paper a marker or board is printed on.
double PaperReach(const SynthMarker& marker)
{
    const double half = marker.boardColumns > 0
                            ? 0.5 * marker.widthMm * std::max(marker.boardColumns, marker.boardRows)
                            : marker.widthMm / 2.0;
    return half + std::max(0.0, marker.marginMm);
}

bool BoardInk(const SynthMarker& board, double x, double y)
{
    const double column = std::floor(x / board.widthMm + 0.5 * board.boardColumns);
    const double row = std::floor(0.5 * board.boardRows - y / board.widthMm);
    if (column < 0 || row < 0 || column >= board.boardColumns || row >= board.boardRows)
        return false;
    return (static_cast<long>(column) + static_cast<long>(row)) % 2 == 0;
}

// Colour printed at marker point (x, y) of a marker already known to be hit
// inside its paper.
void PrintedColour(const SynthMarker& marker, const SynthOptions& options, double x, double y,
                   bool front, float colour[3])
{
    const double half = marker.widthMm / 2.0;
    const float paper = options.paper;
    const float ink = options.ink;
    if (marker.boardColumns > 0)
    {
        colour[0] = colour[1] = colour[2] = front && BoardInk(marker, x, y) ? ink : paper;
        return;
    }
    if (!front || std::fabs(x) > half || std::fabs(y) > half)
    {
        colour[0] = colour[1] = colour[2] = paper;
        return;
    }
    const double quarter = half / 2.0;
    const SynthPicture* picture = marker.picture;
    if (!picture || picture->width < 1 || std::fabs(x) >= quarter || std::fabs(y) >= quarter)
    {
        colour[0] = colour[1] = colour[2] = ink;
        return;
    }
    const int column =
        std::min(picture->width - 1, static_cast<int>((x + quarter) / half * picture->width));
    const int row =
        std::min(picture->height - 1, static_cast<int>((quarter - y) / half * picture->height));
    const unsigned char* pixel =
        &picture->bgr[(static_cast<size_t>(row) * picture->width + column) * 3];
    for (int c = 0; c < 3; ++c)
        colour[c] = ink + (paper - ink) * (pixel[c] / 255.0f);
}
} // namespace

CFrameRenderer::CFrameRenderer(const CameraParam& camera, const SynthOptions& options)
    : m_camera(camera), m_options(options)
{
    m_bValid = camera.xsize > 0 && camera.ysize > 0 && Invert3x3(camera.mat, m_inverse);
    if (!m_bValid)
        return;
    for (int r = 0; r < 3; ++r)
        m_centre[r] = -(m_inverse[r][0] * camera.mat[0][3] + m_inverse[r][1] * camera.mat[1][3] +
                        m_inverse[r][2] * camera.mat[2][3]);
}

void CFrameRenderer::Project(const double point[3], double* u, double* v, double* depth) const
{
    const double(*p)[4] = m_camera.mat;
    const double hx = p[0][0] * point[0] + p[0][1] * point[1] + p[0][2] * point[2] + p[0][3];
    const double hy = p[1][0] * point[0] + p[1][1] * point[1] + p[1][2] * point[2] + p[1][3];
    const double h = p[2][0] * point[0] + p[2][1] * point[1] + p[2][2] * point[2] + p[2][3];
    *depth = h;
    *u = hx / h;
    *v = hy / h;
}

SynthTruth CFrameRenderer::Truth(const SynthMarker& marker) const
{
    SynthTruth truth;
    std::copy(&marker.cameraFromMarker[0][0], &marker.cameraFromMarker[0][0] + 12,
              &truth.cameraFromMarker[0][0]);
    const double half = marker.widthMm / 2.0;
    const double xs[4] = {-half, half, half, -half};
    const double ys[4] = {half, half, -half, -half};
    truth.inFront = true;
    for (int k = 0; k < 4; ++k)
    {
        double point[3], depth;
        MarkerToCamera(marker.cameraFromMarker, xs[k], ys[k], point);
        Project(point, &truth.idealCorners[k][0], &truth.idealCorners[k][1], &depth);
        truth.inFront = truth.inFront && depth > 0.0;
        idealToObserved(m_camera.distFactor, truth.idealCorners[k][0], truth.idealCorners[k][1],
                        &truth.observedCorners[k][0], &truth.observedCorners[k][1]);
    }
    return truth;
}

// Pixels whose rays may meet the marker: the bounds of its distorted paper
// outline, or the whole frame when part of it lies behind the camera.
void CFrameRenderer::MarkerBox(const SynthMarker& marker, int box[4]) const
{
    const int width = m_camera.xsize;
    const int height = m_camera.ysize;
    const double reach = PaperReach(marker);
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (int edge = 0; edge < 4; ++edge)
        for (int i = 0; i < kOutlineSamples; ++i)
        {
            const double f = -reach + 2.0 * reach * i / kOutlineSamples;
            const double x = edge == 0 ? f : edge == 1 ? reach : edge == 2 ? -f : -reach;
            const double y = edge == 0 ? reach : edge == 1 ? -f : edge == 2 ? -reach : f;
            double point[3], u, v, depth, ox, oy;
            MarkerToCamera(marker.cameraFromMarker, x, y, point);
            Project(point, &u, &v, &depth);
            if (!(depth > 0.0) || !std::isfinite(u) || !std::isfinite(v))
            {
                box[0] = 0;
                box[1] = width - 1;
                box[2] = 0;
                box[3] = height - 1;
                return;
            }
            idealToObserved(m_camera.distFactor, u, v, &ox, &oy);
            minX = std::min(minX, ox);
            maxX = std::max(maxX, ox);
            minY = std::min(minY, oy);
            maxY = std::max(maxY, oy);
        }
    box[0] = static_cast<int>(std::max(0.0, std::floor(minX) - kBoxMarginPx));
    box[1] = static_cast<int>(std::min(width - 1.0, std::ceil(maxX) + kBoxMarginPx));
    box[2] = static_cast<int>(std::max(0.0, std::floor(minY) - kBoxMarginPx));
    box[3] = static_cast<int>(std::min(height - 1.0, std::ceil(maxY) + kBoxMarginPx));
}

bool CFrameRenderer::Trace(const std::vector<SynthMarker>& markers, double u, double v,
                           float colour[3]) const
{
    double ray[3];
    for (int r = 0; r < 3; ++r)
        ray[r] = m_inverse[r][0] * u + m_inverse[r][1] * v + m_inverse[r][2];

    double nearest = 1e300;
    const SynthMarker* hit = nullptr;
    double hitX = 0.0, hitY = 0.0;
    bool hitFront = false;
    for (const SynthMarker& marker : markers)
    {
        const double(*t)[4] = marker.cameraFromMarker;
        const double normal[3] = {t[0][2], t[1][2], t[2][2]};
        const double along = normal[0] * ray[0] + normal[1] * ray[1] + normal[2] * ray[2];
        if (along == 0.0)
            continue;
        const double toPlane[3] = {t[0][3] - m_centre[0], t[1][3] - m_centre[1],
                                   t[2][3] - m_centre[2]};
        const double s =
            (normal[0] * toPlane[0] + normal[1] * toPlane[1] + normal[2] * toPlane[2]) / along;
        if (!(s > 0.0) || s >= nearest)
            continue;
        double offset[3];
        for (int r = 0; r < 3; ++r)
            offset[r] = s * ray[r] - toPlane[r];
        const double x = t[0][0] * offset[0] + t[1][0] * offset[1] + t[2][0] * offset[2];
        const double y = t[0][1] * offset[0] + t[1][1] * offset[1] + t[2][1] * offset[2];
        const double reach = PaperReach(marker);
        if (std::fabs(x) > reach || std::fabs(y) > reach)
            continue;
        nearest = s;
        hit = &marker;
        hitX = x;
        hitY = y;
        // The printed side faces the marker's +z; the ray runs against it.
        hitFront = along < 0.0;
    }
    if (!hit)
        return false;
    PrintedColour(*hit, m_options, hitX, hitY, hitFront, colour);
    return true;
}

SynthFrame CFrameRenderer::Render(const std::vector<SynthMarker>& markers,
                                  const SynthBackground& background) const
{
    SynthFrame frame;
    if (!m_bValid)
        return frame;
    const int width = m_camera.xsize;
    const int height = m_camera.ysize;
    frame.width = width;
    frame.height = height;
    for (const SynthMarker& marker : markers)
        frame.truths.push_back(Truth(marker));

    std::vector<float> image;
    std::vector<float> photoLight;
    if (background.photoBgra)
        paintPhoto(background.photoBgra, width, height, image, photoLight);
    else
        paintBackground(background, width, height, image);

    std::vector<unsigned char> done(static_cast<size_t>(width) * height, 0);
    const int n = std::max(1, m_options.supersampling);
    for (const SynthMarker& marker : markers)
    {
        int box[4];
        MarkerBox(marker, box);
        for (int y = box[2]; y <= box[3]; ++y)
            for (int x = box[0]; x <= box[1]; ++x)
            {
                const size_t index = static_cast<size_t>(y) * width + x;
                if (done[index])
                    continue;
                done[index] = 1;
                float* pixel = &image[3 * index];
                float sum[3] = {0.0f, 0.0f, 0.0f};
                bool anyHit = false;
                for (int sy = 0; sy < n; ++sy)
                    for (int sx = 0; sx < n; ++sx)
                    {
                        // Pixel (x, y) is centred on the integer coordinates,
                        // as the detector's contour points are.
                        const double ox = x + (sx + 0.5) / n - 0.5;
                        const double oy = y + (sy + 0.5) / n - 0.5;
                        double u, v;
                        observedToIdeal(m_camera.distFactor, ox, oy, &u, &v);
                        float colour[3];
                        if (Trace(markers, u, v, colour))
                        {
                            anyHit = true;
                            if (!photoLight.empty())
                                for (float& channel : colour)
                                    channel *= photoLight[index];
                        }
                        else
                            std::copy(pixel, pixel + 3, colour);
                        for (int c = 0; c < 3; ++c)
                            sum[c] += colour[c];
                    }
                if (anyHit)
                    for (int c = 0; c < 3; ++c)
                        pixel[c] = sum[c] / (n * n);
            }
    }

    applyLightGradient(m_options.lightGradient, m_options.lightAngleDeg, width, height, image,
                       m_options.lightLevel);
    applyShadow(m_options.shadow, width, height, image);
    motionBlur(m_options.motionBlurPx, m_options.motionBlurAngleDeg, width, height, image);
    gaussianBlur(m_options.blurSigmaPx, width, height, image);
    addNoiseAndPack(m_options.noiseSigma, m_options.seed, image, frame.bgra);
    return frame;
}
