#include "run/camera_calibration.h"

std::unique_ptr<CCameraCalibration> CCameraCalibration::Load(int width, int height,
                                                             const std::string& file)
{
    CameraParam loaded;
    if (file.empty() || loadCameraParam(file.c_str(), 1, &loaded) < 0)
        return nullptr;
    std::unique_ptr<CCameraCalibration> calibration(new CCameraCalibration);
    changeCameraParamSize(loaded, width, height, &calibration->m_param);
    initCameraParam(calibration->m_param);
    displayCameraParam(calibration->m_param);
    return calibration;
}
