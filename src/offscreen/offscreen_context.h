#pragma once
// An OpenGL compatibility context without a window or display: EGL on Mesa's
// surfaceless platform, drawing into a framebuffer object of a fixed size
// (RGBA colour, 24-bit depth) that can be read back. Tests and zelmora-cli
// use it where the GUI uses its view's context. One thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct OffscreenPixel
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
};

// Pixels read back from the framebuffer, row 0 at the top, as a picture is
// seen (OpenGL counts rows from the bottom; ReadPixels turns them over).
struct OffscreenImage
{
    int width = 0;
    int height = 0;
    std::vector<OffscreenPixel> pixels;

    const OffscreenPixel& At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

class COffscreenContext
{
  public:
    COffscreenContext();
    ~COffscreenContext();
    COffscreenContext(const COffscreenContext&) = delete;
    COffscreenContext& operator=(const COffscreenContext&) = delete;

    // Creates the context and a width x height framebuffer, makes both
    // current and sets the viewport to the whole framebuffer. False with a
    // reason when EGL or the driver cannot give one.
    bool Create(int width, int height, std::string* pError = nullptr);
    // Gives the framebuffer a new size (its content is lost) and sets the
    // viewport to it; what lives in the context (textures, display lists)
    // stays. False with a reason for a size out of range.
    bool Resize(int width, int height, std::string* pError = nullptr);
    bool IsValid() const;
    void MakeCurrent();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Finishes drawing and reads the framebuffer.
    OffscreenImage ReadPixels();

  private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
