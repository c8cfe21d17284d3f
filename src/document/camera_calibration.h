#pragma once
// The camera parameters of a live run, resized to the video's frames and
// made the tracking library's current camera. Owned by the document while a
// run is active.

#include "project/matrix.h"
#include "tracking/camera_param.h"

#include <memory>
#include <string>

class CCameraCalibration
{
public:
    // Loads the first record of `file`, resizes it to width x height, makes
    // it current and prints it. Null when the file is missing, short or
    // holds impossible values: a run without a camera model cannot track.
    static std::unique_ptr<CCameraCalibration> Load(int width, int height,
                                                    const std::string& file);
    explicit CCameraCalibration(const CameraParam& param) : m_param(param) {}
    virtual ~CCameraCalibration() = default;

    // The camera's OpenGL projection for drawing over the upright video
    // (`UprightProjection`), what every live area draws its models with.
    CMatrix LiveProjection() const;

    CameraParam m_param;
};
