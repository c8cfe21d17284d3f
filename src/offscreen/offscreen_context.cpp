#include "offscreen/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

namespace
{
// Larger framebuffers than this are refused before any allocation; llvmpipe
// allows 16384, but a thumbnail or a test picture never needs more.
constexpr int kMaxSide = 8192;

bool HasExtension(const char* list, const char* name)
{
    if (!list)
        return false;
    const size_t length = std::strlen(name);
    for (const char* p = std::strstr(list, name); p; p = std::strstr(p + length, name))
    {
        const bool startOk = p == list || p[-1] == ' ';
        const bool endOk = p[length] == ' ' || p[length] == '\0';
        if (startOk && endOk)
            return true;
    }
    return false;
}

template <typename T> bool Resolve(T& function, const char* name)
{
    function = reinterpret_cast<T>(eglGetProcAddress(name));
    return function != nullptr;
}

void Fail(std::string* pError, const std::string& message)
{
    if (pError)
        *pError = message;
}
} // namespace

struct COffscreenContext::Impl
{
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;

    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool ResolveFramebufferFunctions()
    {
        return Resolve(genFramebuffers, "glGenFramebuffers") &&
               Resolve(deleteFramebuffers, "glDeleteFramebuffers") &&
               Resolve(bindFramebuffer, "glBindFramebuffer") &&
               Resolve(genRenderbuffers, "glGenRenderbuffers") &&
               Resolve(deleteRenderbuffers, "glDeleteRenderbuffers") &&
               Resolve(bindRenderbuffer, "glBindRenderbuffer") &&
               Resolve(renderbufferStorage, "glRenderbufferStorage") &&
               Resolve(framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
               Resolve(checkFramebufferStatus, "glCheckFramebufferStatus");
    }

    void Destroy()
    {
        if (context != EGL_NO_CONTEXT)
        {
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
            if (framebuffer)
                deleteFramebuffers(1, &framebuffer);
            if (colour)
                deleteRenderbuffers(1, &colour);
            if (depth)
                deleteRenderbuffers(1, &depth);
            eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
            eglDestroyContext(display, context);
        }
        // The display is shared by every context of the process (EGL hands
        // out one per platform and device), so it is never terminated here:
        // terminating it would pull the rug from under a second context.
        context = EGL_NO_CONTEXT;
        framebuffer = colour = depth = 0;
    }
};

COffscreenContext::COffscreenContext() : m_pImpl(std::make_unique<Impl>()) {}

COffscreenContext::~COffscreenContext()
{
    m_pImpl->Destroy();
}

bool COffscreenContext::IsValid() const
{
    return m_pImpl->context != EGL_NO_CONTEXT;
}

bool COffscreenContext::Create(int width, int height, std::string* pError)
{
    m_pImpl->Destroy();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    {
        Fail(pError, "picture size must be 1 to " + std::to_string(kMaxSide) + " pixels a side");
        return false;
    }

    // Asking for the surfaceless platform by name needs no EGL_PLATFORM in
    // the environment and never looks for an X or Wayland display.
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
    {
        Fail(pError, "EGL has no surfaceless platform (Mesa's libegl-mesa0 is needed)");
        return false;
    }
    PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay = nullptr;
    if (!Resolve(getPlatformDisplay, "eglGetPlatformDisplayEXT"))
    {
        Fail(pError, "EGL lacks eglGetPlatformDisplayEXT");
        return false;
    }
    Impl& impl = *m_pImpl;
    impl.display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (impl.display == EGL_NO_DISPLAY || !eglInitialize(impl.display, &major, &minor))
    {
        Fail(pError, "cannot initialise the EGL surfaceless display");
        return false;
    }
    const char* displayExtensions = eglQueryString(impl.display, EGL_EXTENSIONS);
    if (!HasExtension(displayExtensions, "EGL_KHR_surfaceless_context") ||
        !HasExtension(displayExtensions, "EGL_KHR_no_config_context"))
    {
        Fail(pError, "EGL display cannot make a context current without a surface");
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API))
    {
        Fail(pError, "EGL has no desktop OpenGL");
        return false;
    }
    // No version attributes: the driver gives its compatibility profile,
    // which keeps the fixed-function pipeline and display lists.
    impl.context = eglCreateContext(impl.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (impl.context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(impl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, impl.context))
    {
        impl.context = EGL_NO_CONTEXT;
        Fail(pError, "cannot create an OpenGL context on EGL");
        return false;
    }
    if (!impl.ResolveFramebufferFunctions())
    {
        impl.Destroy();
        Fail(pError, "OpenGL lacks framebuffer objects");
        return false;
    }

    impl.genRenderbuffers(1, &impl.colour);
    impl.bindRenderbuffer(GL_RENDERBUFFER, impl.colour);
    impl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    impl.genRenderbuffers(1, &impl.depth);
    impl.bindRenderbuffer(GL_RENDERBUFFER, impl.depth);
    impl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    impl.genFramebuffers(1, &impl.framebuffer);
    impl.bindFramebuffer(GL_FRAMEBUFFER, impl.framebuffer);
    impl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                 impl.colour);
    impl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, impl.depth);
    if (impl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    {
        impl.Destroy();
        Fail(pError, "cannot set up an offscreen framebuffer");
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    glViewport(0, 0, width, height);
    return true;
}

bool COffscreenContext::Resize(int width, int height, std::string* pError)
{
    if (!IsValid())
    {
        Fail(pError, "no context to resize");
        return false;
    }
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    {
        Fail(pError, "picture size must be 1 to " + std::to_string(kMaxSide) + " pixels a side");
        return false;
    }
    MakeCurrent();
    Impl& impl = *m_pImpl;
    impl.bindRenderbuffer(GL_RENDERBUFFER, impl.colour);
    impl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    impl.bindRenderbuffer(GL_RENDERBUFFER, impl.depth);
    impl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    if (impl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    {
        Fail(pError, "cannot resize the offscreen framebuffer");
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    glViewport(0, 0, width, height);
    return true;
}

void COffscreenContext::MakeCurrent()
{
    if (!IsValid())
        return;
    eglMakeCurrent(m_pImpl->display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_pImpl->context);
    m_pImpl->bindFramebuffer(GL_FRAMEBUFFER, m_pImpl->framebuffer);
}

OffscreenImage COffscreenContext::ReadPixels()
{
    OffscreenImage image;
    if (!IsValid())
        return image;
    MakeCurrent();
    glFinish();
    image.width = m_nWidth;
    image.height = m_nHeight;
    std::vector<OffscreenPixel> bottomUp(size_t(m_nWidth) * m_nHeight);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_nWidth, m_nHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    image.pixels.resize(bottomUp.size());
    for (int y = 0; y < m_nHeight; ++y)
        std::memcpy(&image.pixels[size_t(y) * m_nWidth],
                    &bottomUp[size_t(m_nHeight - 1 - y) * m_nWidth],
                    sizeof(OffscreenPixel) * m_nWidth);
    return image;
}
