#pragma once
// Receives the frames of a live run: 4 bytes per pixel, rows without padding.

class CFrameListener
{
public:
    virtual ~CFrameListener() = default;
    virtual void OnFrame(const unsigned char* image, int width, int height) = 0;
};
