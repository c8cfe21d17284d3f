#pragma once
// The live run's frame source.

class CVideoSource
{
public:
    virtual ~CVideoSource() = default;
};
