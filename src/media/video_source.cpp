#include "media/video_source.h"

#include "media/frame_listener.h"
#include "media/gst_frame_source.h"

#include <GL/gl.h>
#include <vector>

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif

namespace
{
// The live background starts mid grey until the first frame arrives.
constexpr unsigned char kBlankTexel = 0x7F;
// Three frames queued: enough to ride out a slow frame, few enough that
// what is shown is never old.
constexpr int kQueuedFrames = 3;
} // namespace

CVideoSource::CVideoSource(const std::string& configFile, bool everyFrame)
{
    if (configFile.empty())
    {
        m_strError = "No hay configuración";
        return;
    }
    auto source = std::make_unique<CGstFrameSource>();
    if (source->BuildGraphFromConfigFile(configFile) >= 0 &&
        source->GetCurrentMediaFormat(&m_nWidth, &m_nHeight, &m_dFrameRate) >= 0 &&
        source->EnableMemoryBuffer(kQueuedFrames, everyFrame) >= 0 && source->Run() >= 0)
    {
        source->SetLoop(!everyFrame);
        m_pSource = std::move(source);
        while (m_nTextureSize < m_nWidth || m_nTextureSize < m_nHeight)
            m_nTextureSize *= 2;
        return;
    }
    m_strError = source->Error();
}

CVideoSource::~CVideoSource()
{
    if (m_pSource)
    {
        m_pSource->Stop();
        m_pSource.reset();
    }
    if (m_nTexture != kNoTexture)
    {
        glDeleteTextures(1, &m_nTexture);
        m_nTexture = kNoTexture;
    }
}

bool CVideoSource::CreateTexture()
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (m_nTextureSize > maxSize)
    {
        m_strError = "la imagen de " + std::to_string(m_nWidth) + " x " +
                     std::to_string(m_nHeight) + " no cabe en una textura de OpenGL";
        return false;
    }
    const std::vector<unsigned char> blank(
        static_cast<size_t>(m_nTextureSize) * m_nTextureSize * 4, kBlankTexel);
    glGenTextures(1, &m_nTexture);
    glBindTexture(GL_TEXTURE_2D, m_nTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, m_nTextureSize, m_nTextureSize, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, blank.data());
    return true;
}

void CVideoSource::SetFrameNotify(std::function<void()> notify)
{
    if (m_pSource)
        m_pSource->SetNotify(std::move(notify));
}

CVideoSource::Grab CVideoSource::GrabFrame(CFrameListener* listener, int timeoutMs)
{
    if (!m_pSource)
        return Grab::Ended;
    const int waited = m_pSource->WaitForNextSample(timeoutMs);
    if (waited == CGstFrameSource::kStreamEnded)
    {
        m_strError = m_pSource->Error();
        return Grab::Ended;
    }
    if (waited != CGstFrameSource::kSampleReady)
        return Grab::NoFrame;

    const unsigned char* frame = nullptr;
    const int size = m_pSource->CheckoutMemoryBuffer(&frame);
    // A frame smaller than the negotiated size (the source changed its
    // format mid-stream) is skipped rather than read past its end.
    if (size < 0 || static_cast<long long>(size) < 4LL * m_nWidth * m_nHeight)
    {
        m_pSource->CheckinMemoryBuffer();
        return Grab::NoFrame;
    }
    if (m_nTexture != kNoTexture)
    {
        glBindTexture(GL_TEXTURE_2D, m_nTexture);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, m_nWidth, m_nHeight, GL_BGRA, GL_UNSIGNED_BYTE,
                        frame);
    }
    if (listener)
        listener->OnFrame(frame, m_nWidth, m_nHeight);
    m_pSource->CheckinMemoryBuffer();
    return Grab::Frame;
}
