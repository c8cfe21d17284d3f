#include "calibration/checkerboard_calibration.h"

#include "calibration/camera_model_fit.h"
#include "calibration/view_coverage.h"

#include <opencv2/calib3d.hpp>

#include <cmath>

namespace
{
constexpr double kPi = 3.14159265358979323846;
// distFactor[2] is kept in units of 1e-8 px^-2 (distortion.cpp).
constexpr double kRadialUnit = 1e-8;

double TiltDeg(const BoardPose& pose)
{
    cv::Mat rotation;
    cv::Rodrigues(cv::Vec3d(pose.rotation[0], pose.rotation[1], pose.rotation[2]), rotation);
    return std::acos(std::min(1.0, std::fabs(rotation.at<double>(2, 2)))) * 180.0 / kPi;
}
} // namespace

bool CalibrateCamera(const BoardSpec& board, int width, int height,
                     const std::vector<BoardView>& views, CalibrationReport* report,
                     std::string* error)
{
    if (static_cast<int>(views.size()) < kMinCalibrationViews)
    {
        *error = "the board was found in " + std::to_string(views.size()) + " picture" +
                 (views.size() == 1 ? "" : "s") + "; at least " +
                 std::to_string(kMinCalibrationViews) + " are needed";
        return false;
    }
    std::vector<std::vector<cv::Point3f>> objectPoints;
    std::vector<std::vector<cv::Point2f>> imagePoints;
    for (const BoardView& view : views)
    {
        std::vector<cv::Point3f> object;
        std::vector<cv::Point2f> image;
        for (int i = 0; i < static_cast<int>(view.corners.size()); ++i)
        {
            double x, y;
            BoardCornerPosition(board, i, &x, &y);
            object.emplace_back(static_cast<float>(x), static_cast<float>(y), 0.0f);
            image.emplace_back(static_cast<float>(view.corners[i].x),
                               static_cast<float>(view.corners[i].y));
        }
        objectPoints.push_back(object);
        imagePoints.push_back(image);
    }

    cv::Mat k, distortion;
    std::vector<cv::Mat> rotations, translations;
    std::vector<double> openCvErrors;
    const int flags = cv::CALIB_ZERO_TANGENT_DIST | cv::CALIB_FIX_K2 | cv::CALIB_FIX_K3;
    double openCvRms = 0.0;
    try
    {
        openCvRms = cv::calibrateCamera(objectPoints, imagePoints, cv::Size(width, height), k,
                                        distortion, rotations, translations, cv::noArray(),
                                        cv::noArray(), openCvErrors, flags);
    }
    catch (const cv::Exception& e)
    {
        *error = std::string("the first estimate failed: ") + e.err;
        return false;
    }
    if (!std::isfinite(openCvRms) || !(k.at<double>(0, 0) > 0.0) || !(k.at<double>(1, 1) > 0.0))
    {
        *error = "the first estimate failed: the views do not determine the camera";
        return false;
    }

    // OpenCV scales normalised coordinates by 1 + k1 r^2; ours scales pixel
    // offsets by 1 - p r^2, so p = -k1 / (fx fy).
    CameraParam start;
    start.xsize = width;
    start.ysize = height;
    start.mat[0][0] = k.at<double>(0, 0);
    start.mat[1][1] = k.at<double>(1, 1);
    start.mat[0][2] = k.at<double>(0, 2);
    start.mat[1][2] = k.at<double>(1, 2);
    start.mat[2][2] = 1.0;
    start.distFactor[0] = start.mat[0][2];
    start.distFactor[1] = start.mat[1][2];
    start.distFactor[2] =
        -distortion.at<double>(0) / (start.mat[0][0] * start.mat[1][1]) / kRadialUnit;
    start.distFactor[3] = 1.0;
    std::vector<BoardPose> poses(views.size());
    for (size_t v = 0; v < views.size(); ++v)
        for (int i = 0; i < 3; ++i)
        {
            poses[v].rotation[i] = rotations[v].at<double>(i);
            poses[v].translation[i] = translations[v].at<double>(i);
        }

    const ModelFit fit = FitCameraModel(board, views, start, poses);
    CalibrationReport result;
    result.camera = fit.camera;
    result.openCvErrorPx = openCvRms;
    result.modelErrorPx = fit.rmsPx;
    for (size_t v = 0; v < views.size(); ++v)
        result.views.push_back(
            {views[v].name, openCvErrors[v], fit.viewRmsPx[v], TiltDeg(fit.poses[v])});
    std::vector<double> tilts;
    for (const ViewReport& view : result.views)
        tilts.push_back(view.tiltDeg);
    result.warnings = ViewSpreadWarnings(width, height, views, tilts);
    *report = result;
    return true;
}
