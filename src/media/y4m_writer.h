#pragma once
// YUV4MPEG2 files of 4:2:0 frames, the format browsers take as a fake
// camera: the frames of any video source can then be shown to a published
// site in a browser test, with nothing but the file.

#include <cstdio>
#include <string>
#include <vector>

class CY4mWriter
{
public:
    // Writes the stream header; false with a reason when the size is not
    // even and positive or the file cannot be written.
    bool Open(const std::string& path, int width, int height, double frameRate,
              std::string* pError);
    // One BGRA frame (4 bytes a pixel, the size given to Open) as BT.601
    // limited-range Y, Cb, Cr, chroma averaged over each 2 x 2 block.
    bool WriteFrame(const unsigned char* bgra, std::string* pError);
    // Flushes and closes; false when anything written was lost.
    bool Close(std::string* pError);
    ~CY4mWriter();

private:
    std::FILE* m_pFile = nullptr;
    std::string m_strPath;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<unsigned char> m_planes;
};
