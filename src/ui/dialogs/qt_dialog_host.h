#pragma once
// The dialog host of the GUI: runs the Qt dialogs modally over the window
// that is active, and copies the working copy back on OK. Nested dialogs
// (a pattern inside a tracker inside the properties) come back through it.

#include "document/dialog_host.h"

class QWidget;

class CQtDialogHost : public CDialogHost
{
  public:
    explicit CQtDialogHost(QWidget* parent);

    bool EditProperties(CProjectSettings& settings, std::list<CTracker>& trackers,
                        const std::string& projectDir) override;
    bool EditTracker(CTracker& tracker, const std::string& projectDir) override;
    bool EditPattern(CPattern& pattern, const std::string& projectDir) override;
    bool EditModel(CModel3D& model, const std::string& projectDir, double markerWidth) override;

  private:
    // The innermost open dialog, so a nested one stays above its caller.
    QWidget* Owner() const;

    QWidget* m_pParent;
};
