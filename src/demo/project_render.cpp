#include "demo/project_render.h"

#include "formats/project_file.h"
#include "document/zelmora_doc.h"
#include "demo/headless_frames.h"
#include "imaging/image_file.h"
#include "render/axes.h"
#include "render/live_view.h"
#include "render/ortho_view.h"
#include "offscreen/offscreen_context.h"
#include "media/gst_frame_source.h"
#include "media/video_recorder.h"


#include <cctype>
#include <map>

namespace
{
// The editor view's background.

// The offscreen context standing in for the window's view: the document
// makes it current before it touches OpenGL.
class COffscreenView : public CDocumentView
{
  public:
    explicit COffscreenView(COffscreenContext& context) : m_context(context) {}
    void MakeCurrent() override { m_context.MakeCurrent(); }
    void Invalidate() override {}
    void RunLayoutChanged() override {}

  private:
    COffscreenContext& m_context;
};

bool EndsWith(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size())
        return false;
    std::string end = text.substr(text.size() - tail.size());
    for (char& c : end)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return end == tail;
}

// The one number field of a sequence pattern: where it starts, how long it
// is and its width; false when there is none, or a second '%'.
bool FindNumberField(const std::string& pattern, size_t* start, size_t* length, int* width)
{
    const size_t percent = pattern.find('%');
    if (percent == std::string::npos)
        return false;
    size_t k = percent + 1;
    while (k < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[k])))
        ++k;
    if (k >= pattern.size() || pattern[k] != 'd' || k - percent > 3 ||
        pattern.find('%', k) != std::string::npos)
        return false;
    *start = percent;
    *length = k + 1 - percent;
    *width = k > percent + 1 ? std::stoi(pattern.substr(percent + 1, k - percent - 1)) : 0;
    return true;
}

bool DrawFrame(const CRenderOptions& options, CZelmoraDoc& doc, const CMatrix& projection,
               const CAxes& axes)
{
    BeginEditorPicture();
    if (options.strView == "live")
    {
        const CVideoSource& source = *doc.m_pVideoSource;
        DrawLiveArea(source.GetTexture(), source.GetTexScaleX(), source.GetTexScaleY(),
                     projection, doc.m_trackers, nullptr);
        return true;
    }
    static const std::map<std::string, EditorView> kViews = {
        {"front", kFrontView}, {"side", kSideView}, {"top", kTopView}};
    // The editor shows the selected model; without a selection, the first.
    CModel3D* model = nullptr;
    for (CTracker& tracker : doc.m_trackers)
        if (!model && !tracker.m_models.empty())
            model = &tracker.m_models.front();
    DrawOrthoView(MakeEditorCamera(kViews.at(options.strView)), doc.m_settings.m_nViewZoom, axes, model);
    return true;
}

bool WritePicture(const std::string& path, const OffscreenImage& image, std::string* error)
{
    BgraImage picture(image.width, image.height);
    for (size_t k = 0; k < image.pixels.size(); ++k)
    {
        const OffscreenPixel& pixel = image.pixels[k];
        const unsigned char bgra[4] = {pixel.b, pixel.g, pixel.r, 255};
        std::copy(bgra, bgra + 4, &picture.pixels[4 * k]);
    }
    return WritePngFile(path, picture, error);
}
} // namespace

RenderOutput RenderOutputKind(const std::string& path)
{
    size_t start = 0;
    size_t length = 0;
    int width = 0;
    if (EndsWith(path, ".webm") && path.find('%') == std::string::npos)
        return RenderOutput::WebM;
    if (EndsWith(path, ".png") && FindNumberField(path, &start, &length, &width))
        return RenderOutput::PngSequence;
    return RenderOutput::Unknown;
}

std::string SequenceFileName(const std::string& pattern, int frame)
{
    size_t start = 0;
    size_t length = 0;
    int width = 0;
    if (!FindNumberField(pattern, &start, &length, &width))
        return pattern;
    std::string number = std::to_string(frame);
    if (int(number.size()) < width)
        number.insert(0, size_t(width) - number.size(), '0');
    return pattern.substr(0, start) + number + pattern.substr(start + length);
}

bool RenderProject(const CRenderOptions& options, int* pFrames, std::string* error)
{
    *pFrames = 0;
    const RenderOutput output = RenderOutputKind(options.strOut);
    if (output == RenderOutput::Unknown)
    {
        *error = options.strOut + ": the output must be a .webm file or a .png sequence with %04d";
        return false;
    }
    // Loading moves the current directory to the project's folder; names
    // given on the command line are the user's, so they are fixed first.
    const std::string out = AbsoluteProjectPath(options.strOut);
    const std::string video = options.strVideo.empty() ? "" : AbsoluteProjectPath(options.strVideo);

    // Destroyed in reverse: the document releases its GL resources while
    // the context still exists.
    COffscreenContext context;
    const bool sized = options.nWidth > 0 && options.nHeight > 0;
    if (!context.Create(sized ? options.nWidth : 1, sized ? options.nHeight : 1, error))
        return false;
    COffscreenView view(context);
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.SetView(&view);
    if (!doc.OpenProject(options.strProject, error))
        return false;
    if (!video.empty())
        doc.m_settings.m_strVideoConfig = video;
    if (!doc.StartCapture(true))
    {
        error->clear();
        return false;
    }
    const CVideoSource& source = *doc.m_pVideoSource;
    if (options.nFrames == 0 && source.m_pSource->IsLive())
    {
        *error = "a live source never ends: give --frames";
        return false;
    }
    if (!sized && !context.Resize(source.m_nWidth, source.m_nHeight, error))
        return false;
    const CMatrix projection = doc.m_pCameraCalibration->LiveProjection();
    const CAxes axes;

    std::unique_ptr<CVideoRecorder> recorder;
    if (output == RenderOutput::WebM)
    {
        recorder = CVideoRecorder::Open(out, context.Width(), context.Height(),
                                        source.m_dFrameRate, error);
        if (!recorder)
        {
            *error = "cannot write " + out + ": " + *error;
            return false;
        }
    }

    while ((options.nFrames == 0 || *pFrames < options.nFrames) &&
           NextHeadlessFrame(doc, error) == CVideoSource::Grab::Frame)
    {
        context.MakeCurrent();
        DrawFrame(options, doc, projection, axes);
        const OffscreenImage image = context.ReadPixels();
        if (recorder)
        {
            recorder->Submit(&image.pixels.front().r, false, true);
            if (recorder->Failed())
                break;
        }
        else if (!WritePicture(SequenceFileName(out, *pFrames), image, error))
            break;
        ++*pFrames;
    }
    doc.OnStopCapture();
    if (recorder)
    {
        const CVideoRecorder::Summary summary = recorder->Finish();
        if (!summary.strError.empty())
            *error = "recording stopped: " + summary.strError + "; " + out + " keeps " +
                     std::to_string(summary.nWritten) + " frames";
    }
    if (error->empty() && *pFrames == 0)
        *error = "the video gave no frame";
    return error->empty();
}
