#pragma once
// The one project document: the live run's settings, the editor view's
// settings and the trackers, with the project file's reading and writing and
// the project directory every file name resolves against. No Qt: the GUI,
// the command line and the tests all drive this same class.

#include "app/document_hosts.h"
#include "app/frame_listener.h"
#include "model/tracker.h"
#include "run/pattern_entry.h"

#include <list>
#include <string>

class CArchive;
class CCameraCalibration;
class CVideoSource;

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
    bool OpenProject(const std::string& path, std::string* error);
    // Writes beside the target and renames over it, so a failed save keeps
    // the old file.
    bool SaveProject(const std::string& path, std::string* error);

    // Writes the project (storing archive) or reads and takes over a whole
    // project (loading archive); throws CArchiveException on a bad file,
    // leaving the document unchanged.
    void Serialize(CArchive& ar);
    static void SerializeTrackers(CArchive& ar, std::list<CTracker>& trackers);
    static void CopyTrackers(std::list<CTracker>& destination, const std::list<CTracker>& source);

    bool IsCapturing() const { return m_pVideoSource != nullptr; }
    void SetViewZoom(int zoom) { m_nViewZoom = zoom; }
    void AdvanceAnimations();
    void ReleaseRunData();
    void BuildPatternRegistry();

    void OnFrame(const unsigned char* image, int width, int height) override;

    void SetNavigator(CNavigatorHost* navigator) { m_pNavigator = navigator; }

    std::string m_strVideoConfig;
    std::string m_strCameraParam;
    bool m_bAutoThreshold = true;
    int m_nThreshold = 0;
    bool m_bSingleView = true;
    std::list<CTracker> m_trackers;
    std::list<CPatternEntry> m_patternRegistry;
    std::string m_strProjectDir; // ends with '/'; empty until saved or loaded
    CVideoSource* m_pVideoSource = nullptr;
    CCameraCalibration* m_pCameraCalibration = nullptr;
    CDocumentView* m_pView = nullptr;
    int m_nThresholdCountdown = 24;
    int m_nViewZoom = 1;
    bool m_bRecordRelations = true;

private:
    // Directory of `path` (with its last separator) becomes the project
    // directory and the process's current directory.
    void SetProjectDirectory(const std::string& path);
    void EndRun();
    void RefreshNavigator();

    CNavigatorHost* m_pNavigator = nullptr;
};
