#include "media/y4m_writer.h"

#include <cmath>

namespace
{
unsigned char Clamp(double value)
{
    return static_cast<unsigned char>(std::lround(std::fmin(255.0, std::fmax(0.0, value))));
}
} // namespace

bool CY4mWriter::Open(const std::string& path, int width, int height, double frameRate,
                      std::string* pError)
{
    if (width <= 0 || height <= 0 || width % 2 || height % 2 || width > 16384 || height > 16384)
        return (*pError = "4:2:0 frames need an even width and height", false);
    m_pFile = std::fopen(path.c_str(), "wb");
    if (!m_pFile)
        return (*pError = "cannot write " + path, false);
    m_strPath = path;
    m_nWidth = width;
    m_nHeight = height;
    // The rate as a fraction in thousandths keeps 29.97 exact enough.
    const long rate = frameRate > 0.0 ? std::lround(frameRate * 1000.0) : 30000;
    std::fprintf(m_pFile, "YUV4MPEG2 W%d H%d F%ld:1000 Ip A1:1 C420jpeg\n", width, height, rate);
    m_planes.resize(static_cast<size_t>(width) * height * 3 / 2);
    return true;
}

bool CY4mWriter::WriteFrame(const unsigned char* bgra, std::string* pError)
{
    if (!m_pFile)
        return (*pError = "no file is open", false);
    const int w = m_nWidth;
    const int h = m_nHeight;
    unsigned char* y = m_planes.data();
    unsigned char* cb = y + static_cast<size_t>(w) * h;
    unsigned char* cr = cb + static_cast<size_t>(w / 2) * (h / 2);
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column)
        {
            const unsigned char* p = bgra + (static_cast<size_t>(row) * w + column) * 4;
            y[row * w + column] = Clamp(16.0 + 0.257 * p[2] + 0.504 * p[1] + 0.098 * p[0]);
        }
    for (int row = 0; row < h / 2; ++row)
        for (int column = 0; column < w / 2; ++column)
        {
            double b = 0.0, g = 0.0, r = 0.0;
            for (int k = 0; k < 4; ++k)
            {
                const unsigned char* p =
                    bgra + (static_cast<size_t>(2 * row + k / 2) * w + 2 * column + k % 2) * 4;
                b += p[0] / 4.0;
                g += p[1] / 4.0;
                r += p[2] / 4.0;
            }
            cb[row * (w / 2) + column] = Clamp(128.0 - 0.148 * r - 0.291 * g + 0.439 * b);
            cr[row * (w / 2) + column] = Clamp(128.0 + 0.439 * r - 0.368 * g - 0.071 * b);
        }
    if (std::fputs("FRAME\n", m_pFile) < 0 ||
        std::fwrite(m_planes.data(), 1, m_planes.size(), m_pFile) != m_planes.size())
        return (*pError = "cannot write " + m_strPath, false);
    return true;
}

bool CY4mWriter::Close(std::string* pError)
{
    if (!m_pFile)
        return true;
    const bool ok = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    if (!ok)
        *pError = "cannot write " + m_strPath;
    return ok;
}

CY4mWriter::~CY4mWriter()
{
    if (m_pFile)
        std::fclose(m_pFile);
}
