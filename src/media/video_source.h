#pragma once
// The live run's video: a frame source opened from the project's video
// configuration file, and (when the document has a view) the OpenGL texture
// the view draws as the live background. Owned by the document while a run
// is active; used on the user-interface thread only.

#include <functional>
#include <memory>
#include <string>

class CFrameListener;
class CGstFrameSource;

class CVideoSource
{
public:
    enum class Grab
    {
        Frame,   // a frame was taken and handed to the listener
        NoFrame, // none ready yet
        Ended,   // the stream ended or failed; Error() says why (empty: a clean end)
    };

    // Opens the source described by `configFile`. On failure m_pSource is
    // null and Error() says why. `everyFrame` makes a recorded source hand
    // out every frame in order as fast as they are taken (headless runs).
    explicit CVideoSource(const std::string& configFile, bool everyFrame = false);
    virtual ~CVideoSource();
    CVideoSource(const CVideoSource&) = delete;
    CVideoSource& operator=(const CVideoSource&) = delete;

    // Makes the video texture in the current GL context; false when the
    // frame is larger than the context's textures can be.
    bool CreateTexture();
    // Waits at most `timeoutMs` for a frame, uploads it into the texture if
    // there is one and hands it to the listener.
    Grab GrabFrame(CFrameListener* listener, int timeoutMs = 1);
    // `notify` is called from GStreamer's threads whenever a frame arrives
    // or the stream has news (an error, its end), so a GUI can sleep until
    // then. It must be cheap and thread-safe; it is dropped before the
    // source is destroyed.
    void SetFrameNotify(std::function<void()> notify);

    unsigned int GetTexture() const { return m_nTexture; }
    double GetTexScaleX() const { return static_cast<double>(m_nWidth) / m_nTextureSize; }
    double GetTexScaleY() const { return static_cast<double>(m_nHeight) / m_nTextureSize; }
    const std::string& Error() const { return m_strError; }

    static constexpr unsigned int kNoTexture = ~0u;

    int m_nWidth = 1;
    int m_nHeight = 1;
    double m_dFrameRate = 0.0;
    std::unique_ptr<CGstFrameSource> m_pSource;
    unsigned int m_nTexture = kNoTexture;
    int m_nTextureSize = 1024; // side of the square texture, a power of two

private:
    std::string m_strError;
};
