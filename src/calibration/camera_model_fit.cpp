#include "calibration/camera_model_fit.h"

#include <opencv2/core.hpp>

#include <cmath>

namespace
{
// fx, fy, px, py, distortion centre x and y, radial factor. The scale factor
// stays 1: it only duplicates the focal lengths.
constexpr int kIntrinsics = 7;
constexpr int kPoseValues = 6;
constexpr int kMaxIterations = 100;
constexpr double kConverged = 1e-12; // relative fall of the squared error
constexpr double kStartDamping = 1e-3;
constexpr double kMaxDamping = 1e12;

void RotationMatrix(const double v[3], double r[3][3])
{
    const double angle = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    const double k[3] = {angle > 0 ? v[0] / angle : 1.0, angle > 0 ? v[1] / angle : 0.0,
                         angle > 0 ? v[2] / angle : 0.0};
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    r[0][0] = c + k[0] * k[0] * t;
    r[0][1] = k[0] * k[1] * t - k[2] * s;
    r[0][2] = k[0] * k[2] * t + k[1] * s;
    r[1][0] = k[1] * k[0] * t + k[2] * s;
    r[1][1] = c + k[1] * k[1] * t;
    r[1][2] = k[1] * k[2] * t - k[0] * s;
    r[2][0] = k[2] * k[0] * t - k[1] * s;
    r[2][1] = k[2] * k[1] * t + k[0] * s;
    r[2][2] = c + k[2] * k[2] * t;
}

CameraParam CameraOf(const CameraParam& size, const double* p)
{
    CameraParam camera;
    camera.xsize = size.xsize;
    camera.ysize = size.ysize;
    camera.mat[0][0] = p[0];
    camera.mat[1][1] = p[1];
    camera.mat[0][2] = p[2];
    camera.mat[1][2] = p[3];
    camera.mat[2][2] = 1.0;
    camera.distFactor[0] = p[4];
    camera.distFactor[1] = p[5];
    camera.distFactor[2] = p[6];
    camera.distFactor[3] = 1.0;
    return camera;
}

BoardPose PoseOf(const double* p)
{
    BoardPose pose;
    for (int i = 0; i < 3; ++i)
    {
        pose.rotation[i] = p[i];
        pose.translation[i] = p[3 + i];
    }
    return pose;
}

// The fit's unknowns in one vector: the camera, then each view's pose.
struct Unknowns
{
    const CameraParam& size;
    const BoardSpec& board;
    const std::vector<BoardView>& views;
    std::vector<double> values;

    // Residuals (projected minus found, x then y) of one view.
    void ViewResiduals(const std::vector<double>& p, size_t v, double* out) const
    {
        const CameraParam camera = CameraOf(size, p.data());
        const BoardPose pose = PoseOf(&p[kIntrinsics + kPoseValues * v]);
        const std::vector<ImagePoint>& corners = views[v].corners;
        for (size_t i = 0; i < corners.size(); ++i)
        {
            const ImagePoint seen = ProjectBoardCorner(camera, board, pose, static_cast<int>(i));
            out[2 * i] = seen.x - corners[i].x;
            out[2 * i + 1] = seen.y - corners[i].y;
        }
    }

    double SquaredError(const std::vector<double>& p, std::vector<double>* perView = nullptr) const
    {
        double total = 0.0;
        std::vector<double> r;
        for (size_t v = 0; v < views.size(); ++v)
        {
            r.resize(2 * views[v].corners.size());
            ViewResiduals(p, v, r.data());
            double sum = 0.0;
            for (double value : r)
                sum += value * value;
            if (perView)
                perView->push_back(sum);
            total += sum;
        }
        return total;
    }
};

// Normal equations J'J and J'r by central differences. A residual depends
// on the camera and its own view's pose only, so each view's block is
// filled from 13 columns.
void NormalEquations(const Unknowns& u, const std::vector<double>& p, cv::Mat& a, cv::Mat& g)
{
    const int n = static_cast<int>(p.size());
    a = cv::Mat::zeros(n, n, CV_64F);
    g = cv::Mat::zeros(n, 1, CV_64F);
    std::vector<double> probe = p, r, plus, minus;
    for (size_t v = 0; v < u.views.size(); ++v)
    {
        const int rows = static_cast<int>(2 * u.views[v].corners.size());
        r.resize(rows);
        plus.resize(rows);
        minus.resize(rows);
        u.ViewResiduals(p, v, r.data());
        int columns[kIntrinsics + kPoseValues];
        std::vector<double> jacobian(static_cast<size_t>(rows) * (kIntrinsics + kPoseValues));
        for (int c = 0; c < kIntrinsics + kPoseValues; ++c)
        {
            const int index = c < kIntrinsics ? c : kIntrinsics + kPoseValues * static_cast<int>(v) +
                                                        (c - kIntrinsics);
            columns[c] = index;
            const double step = 1e-6 * std::max(1.0, std::fabs(p[index]));
            probe[index] = p[index] + step;
            u.ViewResiduals(probe, v, plus.data());
            probe[index] = p[index] - step;
            u.ViewResiduals(probe, v, minus.data());
            probe[index] = p[index];
            for (int i = 0; i < rows; ++i)
                jacobian[static_cast<size_t>(i) * (kIntrinsics + kPoseValues) + c] =
                    (plus[i] - minus[i]) / (2.0 * step);
        }
        for (int i = 0; i < rows; ++i)
        {
            const double* row = &jacobian[static_cast<size_t>(i) * (kIntrinsics + kPoseValues)];
            for (int c = 0; c < kIntrinsics + kPoseValues; ++c)
            {
                g.at<double>(columns[c]) += row[c] * r[i];
                for (int d = 0; d < kIntrinsics + kPoseValues; ++d)
                    a.at<double>(columns[c], columns[d]) += row[c] * row[d];
            }
        }
    }
}
} // namespace

ImagePoint ProjectBoardCorner(const CameraParam& camera, const BoardSpec& board,
                              const BoardPose& pose, int index)
{
    double r[3][3];
    RotationMatrix(pose.rotation, r);
    double x, y;
    BoardCornerPosition(board, index, &x, &y);
    double point[3];
    for (int i = 0; i < 3; ++i)
        point[i] = r[i][0] * x + r[i][1] * y + pose.translation[i];
    const double(*m)[4] = camera.mat;
    const double h = m[2][0] * point[0] + m[2][1] * point[1] + m[2][2] * point[2] + m[2][3];
    const double ix = (m[0][0] * point[0] + m[0][1] * point[1] + m[0][2] * point[2] + m[0][3]) / h;
    const double iy = (m[1][0] * point[0] + m[1][1] * point[1] + m[1][2] * point[2] + m[1][3]) / h;
    ImagePoint seen;
    idealToObserved(camera.distFactor, ix, iy, &seen.x, &seen.y);
    return seen;
}

ModelFit FitCameraModel(const BoardSpec& board, const std::vector<BoardView>& views,
                        const CameraParam& start, const std::vector<BoardPose>& startPoses)
{
    Unknowns u{start, board, views, {}};
    std::vector<double>& p = u.values;
    p = {start.mat[0][0],       start.mat[1][1],       start.mat[0][2],      start.mat[1][2],
         start.distFactor[0], start.distFactor[1], start.distFactor[2]};
    for (const BoardPose& pose : startPoses)
    {
        p.insert(p.end(), pose.rotation, pose.rotation + 3);
        p.insert(p.end(), pose.translation, pose.translation + 3);
    }

    double error = u.SquaredError(p);
    double damping = kStartDamping;
    cv::Mat a, g, step;
    for (int iteration = 0; iteration < kMaxIterations && damping < kMaxDamping; ++iteration)
    {
        NormalEquations(u, p, a, g);
        bool improved = false;
        while (!improved && damping < kMaxDamping)
        {
            cv::Mat damped = a.clone();
            for (int i = 0; i < damped.rows; ++i)
                damped.at<double>(i, i) += damping * std::max(a.at<double>(i, i), 1e-12);
            if (!cv::solve(damped, -g, step, cv::DECOMP_CHOLESKY))
            {
                damping *= 10.0;
                continue;
            }
            std::vector<double> trial = p;
            for (size_t i = 0; i < trial.size(); ++i)
                trial[i] += step.at<double>(static_cast<int>(i));
            const double trialError = u.SquaredError(trial);
            if (std::isfinite(trialError) && trialError < error)
            {
                const double fall = (error - trialError) / std::max(error, 1e-300);
                p = trial;
                error = trialError;
                damping = std::max(damping / 10.0, 1e-12);
                improved = true;
                if (fall < kConverged)
                    iteration = kMaxIterations;
            }
            else
                damping *= 10.0;
        }
    }

    ModelFit fit;
    fit.camera = CameraOf(start, p.data());
    std::vector<double> perView;
    u.SquaredError(p, &perView);
    size_t total = 0;
    for (size_t v = 0; v < views.size(); ++v)
    {
        fit.poses.push_back(PoseOf(&p[kIntrinsics + kPoseValues * v]));
        fit.viewRmsPx.push_back(std::sqrt(perView[v] / std::max<size_t>(1, views[v].corners.size())));
        total += views[v].corners.size();
    }
    fit.rmsPx = std::sqrt(error / std::max<size_t>(1, total));
    return fit;
}
