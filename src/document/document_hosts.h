#pragma once
// What the document needs from the windows around it. The GUI implements
// these; the command line and tests run without them.

#include <vector>

// The navigator bar's tree of trackers, patterns and models.
class CNavigatorHost
{
public:
    virtual ~CNavigatorHost() = default;
    virtual void RefreshTree() = 0;
    // The controls that show project settings, and the selected model's
    // placement, follow them again.
    virtual void SyncSettings() {}
};

// The editor view: it owns the one OpenGL context every GL resource of the
// project (display lists, textures, the video texture) belongs to.
class CDocumentView
{
public:
    virtual ~CDocumentView() = default;
    virtual void MakeCurrent() = 0;
    // Asks for a repaint; never paints at once.
    virtual void Invalidate() = 0;
    // The frame size or the camera changed: recompute the live layout.
    virtual void RunLayoutChanged() = 0;
    // Draws the live area at the video's own size away from the screen and
    // reads it back into `rgba`: RGBA, bottom row first. False when it
    // cannot (no run, no context).
    virtual bool ReadLiveFrame(std::vector<unsigned char>& /*rgba*/) { return false; }
    // The run's video has a frame or news (an error, its end). Called from
    // GStreamer's threads: the view only posts a step to its own thread,
    // where it calls the document's OnIdleFrame.
    virtual void FrameReady() {}
};

// The main window: its title and its command states follow the document.
class CDocumentFrame
{
public:
    virtual ~CDocumentFrame() = default;
    // The project gained or lost unsaved changes.
    virtual void ModifiedChanged(bool bModified) = 0;
    // A live run started or ended (also when it ended on its own).
    virtual void RunStateChanged(bool bCapturing) = 0;
};
