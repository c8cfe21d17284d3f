#pragma once
// The one project document: the live run's settings, the editor view's
// settings and the trackers, with the project file's reading and writing and
// the project directory every file name resolves against. No Qt: the GUI,
// the command line and the tests all drive this same class.

#include "document/dialog_host.h"
#include "document/document_hosts.h"
#include "media/frame_listener.h"
#include "project/tracker.h"
#include "project/frame_tracking.h"

#include "document/camera_calibration.h"
#include "media/video_recorder.h"
#include "media/video_source.h"

#include <list>
#include <memory>
#include <string>
#include <vector>

class CArchive;

class CZelmoraDoc : public CFrameListener
{
public:
    CZelmoraDoc();
    ~CZelmoraDoc() override;
    CZelmoraDoc(const CZelmoraDoc&) = delete;
    CZelmoraDoc& operator=(const CZelmoraDoc&) = delete;

    // New project: defaults, no trackers, no run, no directory.
    bool OnNewDocument();

    // Reads the whole file before changing anything: on failure the project
    // stays as it was and `error` says why (file, byte offset, record).
    // `prepareRun` false skips loading pattern and model files, for tools
    // that only read or rewrite the project.
    bool OpenProject(const std::string& path, std::string* error, bool prepareRun = true);
    // Writes beside the target and renames over it, so a failed save keeps
    // the old file.
    bool SaveProject(const std::string& path, std::string* error);

    // Writes the project (storing archive) or reads and takes over a whole
    // project (loading archive); throws CArchiveException on a bad file,
    // leaving the document unchanged.
    void Serialize(CArchive& ar);
    static void SerializeTrackers(CArchive& ar, std::list<CTracker>& trackers);
    static void CopyTrackers(std::list<CTracker>& destination, const std::list<CTracker>& source);

    // "Capturar": refuses a project that was never saved, else StartCapture.
    void OnCapture();
    // Opens the video and the camera and starts a run; false (with a
    // message) when either cannot be had. `everyFrame` is for headless runs
    // over recorded video: every frame in order, none dropped.
    bool StartCapture(bool everyFrame = false);
    void OnStopCapture();
    bool OnUpdateCapture() const { return !IsCapturing(); }
    bool OnUpdateStopCapture() const { return IsCapturing(); }
    // One step of the run, never waiting: takes a frame if one is ready and
    // asks for a repaint when something changed. True when a frame was
    // taken, so the caller may look for another.
    bool OnIdleFrame();
    // Takes and processes the next frame, waiting at most `timeoutMs`; a
    // stream that ends or fails ends the run (with a message on failure).
    CVideoSource::Grab ProcessNextFrame(int timeoutMs);
    bool IsCapturing() const { return m_pVideoSource != nullptr; }

    // "Grabar vídeo...": every frame the run takes from now on, drawn as the
    // live area at the video's size and rate, goes to the WebM file `path`.
    // Refused with a message without a run, for another extension or a
    // file that cannot be written.
    bool StartRecording(const std::string& path);
    // "Parar grabación" (and the end of the run): finishes the file and says
    // how many frames it holds and how many were dropped, or why it failed.
    void StopRecording();
    bool IsRecording() const { return m_pRecorder != nullptr; }
    // Hands the live area of the frame just taken to the recording, if one
    // runs (OnIdleFrame does after every frame).
    void RecordFrame();
    // What the last recording wrote, for the messages and the tests.
    const CVideoRecorder::Summary& LastRecording() const { return m_lastRecording; }
    void SetViewZoom(int zoom) { m_settings.m_nViewZoom = zoom; }
    void AdvanceAnimations();
    void ReleaseRunData();
    void BuildPatternRegistry();

    void OnFrame(const unsigned char* image, int width, int height) override;

    // Unsaved changes: every edit sets the flag; New, a load and a
    // successful save clear it. The frame shows it and asks before
    // throwing such changes away.
    void SetModifiedFlag(bool bModified = true);
    bool IsModified() const { return m_bModified; }

    // "Propiedades": the settings and trackers edited on copies through the
    // dialog host; on OK they replace the project's and the run data is
    // rebuilt. False when refused or cancelled.
    bool OnProperties();
    const CProjectSettings& GetSettings() const { return m_settings; }
    void SetSettings(const CProjectSettings& settings) { m_settings = settings; }
    void SetDialogHost(CDialogHost* host);
    CDialogHost* GetDialogHost() const { return m_pDialogHost; }

    void SetNavigator(CNavigatorHost* navigator) { m_pNavigator = navigator; }
    void SetFrame(CDocumentFrame* frame) { m_pFrame = frame; }
    void SetView(CDocumentView* view) { m_pView = view; }
    CDocumentView* GetView() const { return m_pView; }

    CProjectSettings m_settings;
    std::list<CTracker> m_trackers;
    std::list<CPatternEntry> m_patternRegistry;
    std::string m_strProjectDir; // ends with '/'; empty until saved or loaded
    std::unique_ptr<CVideoSource> m_pVideoSource;
    std::unique_ptr<CCameraCalibration> m_pCameraCalibration;
    int m_nThresholdCountdown = kThresholdInterval - 1;

private:
    // Directory of `path` (with its last separator) becomes the project
    // directory and the process's current directory.
    void SetProjectDirectory(const std::string& path);
    void EndRun();
    void RefreshNavigator();

    void NotifyRunState();

    CNavigatorHost* m_pNavigator = nullptr;
    CDialogHost* m_pDialogHost = nullptr;
    CDocumentFrame* m_pFrame = nullptr;
    bool m_bModified = false;
    CDocumentView* m_pView = nullptr;
    bool m_bPrepareRunOnLoad = true;
    std::unique_ptr<CVideoRecorder> m_pRecorder;
    std::string m_strRecordingPath;
    std::vector<unsigned char> m_recordedFrame; // reused: one frame's pixels
    CVideoRecorder::Summary m_lastRecording;
};
