// Camera parameter files: any bytes are read, and an accepted record is
// resized and used to undistort points as a live run would.

#include "fuzz_input.h"
#include "tracking/camera_param.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = InputAsFile(data, size, "camera.dat");
    CameraParam records[2];
    if (loadCameraParam(path.c_str(), 1, records) != 0)
        return 0;
    CameraParam resized;
    if (changeCameraParamSize(records[0], 320, 240, &resized) != 0)
        return 0;
    double x = 0.0;
    double y = 0.0;
    observedToIdeal(resized.distFactor, 10.0, 230.0, &x, &y);
    idealToObserved(resized.distFactor, x, y, &x, &y);
    loadCameraParam(path.c_str(), 2, records);
    return 0;
}
