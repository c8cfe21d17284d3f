#pragma once
// The live run's camera parameters.

class CCameraCalibration
{
public:
    virtual ~CCameraCalibration() = default;
};
