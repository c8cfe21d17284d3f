#include "ui/dialogs/qt_dialog_host.h"

#include "ui/dialogs/general_page.h"
#include "ui/dialogs/model3d_dialog.h"
#include "ui/dialogs/pattern_dialog.h"
#include "ui/dialogs/properties_sheet.h"
#include "ui/dialogs/tracker_dialog.h"
#include "ui/dialogs/trackers_page.h"

#include <QApplication>

CQtDialogHost::CQtDialogHost(QWidget* parent) : m_pParent(parent) {}

QWidget* CQtDialogHost::Owner() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_pParent;
}

bool CQtDialogHost::EditProperties(CProjectSettings& settings, std::list<CTracker>& trackers,
                                   const std::string& projectDir)
{
    CPropertiesSheet sheet(settings, trackers, projectDir, *this, Owner());
    if (sheet.exec() != QDialog::Accepted)
        return false;
    settings = sheet.GeneralPage()->m_settings;
    trackers = sheet.TrackersPage()->m_trackers;
    return true;
}

bool CQtDialogHost::EditTracker(CTracker& tracker, const std::string& projectDir)
{
    CTrackerDialog dialog(tracker, projectDir, *this, Owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    tracker = dialog.m_tracker;
    return true;
}

bool CQtDialogHost::EditPattern(CPattern& pattern, const std::string& projectDir)
{
    CPatternDialog dialog(pattern, projectDir, Owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    pattern = dialog.m_pattern;
    return true;
}

bool CQtDialogHost::EditModel(CModel3D& model, const std::string& projectDir, double markerWidth)
{
    CModel3DDialog dialog(model, projectDir, markerWidth, Owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    model = dialog.m_model;
    return true;
}
