#include "document/camera_calibration.h"

#include "render/live_view.h"
#include "tracking/gl_conversion.h"

namespace
{
// Millimetres, the unit of marker widths and so of every pose.
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 5000.0;
} // namespace

std::unique_ptr<CCameraCalibration> CCameraCalibration::Load(int width, int height,
                                                             const std::string& file)
{
    CameraParam loaded;
    if (file.empty() || loadCameraParam(file.c_str(), 1, &loaded) < 0)
        return nullptr;
    CameraParam resized;
    if (changeCameraParamSize(loaded, width, height, &resized) < 0)
        return nullptr;
    auto calibration = std::make_unique<CCameraCalibration>(resized);
    initCameraParam(calibration->m_param);
    displayCameraParam(calibration->m_param);
    return calibration;
}

CMatrix CCameraCalibration::LiveProjection() const
{
    CMatrix camera;
    convertToGlProjection(m_param, kNearPlane, kFarPlane, camera.GetData());
    return UprightProjection(camera);
}
