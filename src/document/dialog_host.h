#pragma once
// The dialogs the document and the navigator need, as a core interface: the
// GUI runs its Qt dialogs behind it, tests answer it directly. Every call
// edits a working copy, so a cancelled dialog leaves the caller's data alone.

#include "project/model3d.h"
#include "project/pattern.h"
#include "project/tracker.h"

#include <list>
#include <string>

// The project's settings, as one value: the document holds them, the
// General page edits a copy.
struct CProjectSettings
{
    std::string m_strVideoConfig;
    std::string m_strCameraParam;
    bool m_bAutoThreshold = true;
    int m_nThreshold = 0;
    // Each pixel against its neighbourhood; when on, the two above are kept
    // for the file but not used. Stored in the settings block.
    bool m_bAdaptiveThreshold = false;
    bool m_bSingleView = true;
    int m_nViewZoom = 1;
    bool m_bRecordRelations = true;
};

class CDialogHost
{
  public:
    virtual ~CDialogHost() = default;
    // Each runs one modal dialog on the working copy it is handed and returns true on OK, when the
    // copy holds the edits; on Cancel the copy is left as it was given. `projectDir` (ends with
    // '/', empty for a never-saved project) is where browsed files are made relative to.
    virtual bool EditProperties(CProjectSettings& settings, std::list<CTracker>& trackers,
                                const std::string& projectDir) = 0;
    virtual bool EditTracker(CTracker& tracker, const std::string& projectDir) = 0;
    virtual bool EditPattern(CPattern& pattern, const std::string& projectDir) = 0;
    // markerWidth is the tracker's reference pattern width (0 without one), for fitting the model.
    virtual bool EditModel(CModel3D& model, const std::string& projectDir, double markerWidth) = 0;
};
