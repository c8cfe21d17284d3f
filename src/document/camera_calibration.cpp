#include "document/camera_calibration.h"

#include "render/live_view.h"
#include "tracking/gl_conversion.h"

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
    convertToGlProjection(m_param, kLiveNearPlane, kLiveFarPlane, camera.GetData());
    return UprightProjection(camera);
}
