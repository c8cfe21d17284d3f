#pragma once
// One texture of a 3DS scene, loaded through DevIL's OpenGL utilities into
// the current context. Owned by value in C3dsScene's texture map; GUI
// thread, with the context that drew the scene current.

#include <string>

class CTexture
{
  public:
    CTexture() = default;
    ~CTexture();
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    // Decodes the picture bytes (already passed by the probe; empty when the
    // file was missing or refused) into a new OpenGL texture, replacing the
    // one held. A picture that cannot be decoded leaves texture name 0,
    // bound like any other. Always true.
    bool Load(const std::string& name, const std::string& bytes);
    void Bind() const;

    bool IsLoaded() const { return m_bLoaded; }
    unsigned int Name() const { return m_nName; }

    // How many times any texture was loaded in this process.
    static int LoadsSoFar();

  private:
    bool m_bLoaded = false;
    unsigned int m_nName = 0;
};
