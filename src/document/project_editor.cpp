#include "document/project_editor.h"

#include "document/document_hosts.h"
#include "document/edit_commands.h"
#include "document/zelmora_doc.h"
#include "project/list_position.h"

CProjectEditor::CProjectEditor(CZelmoraDoc& doc, CNavigatorHost& navigator, QObject* parent)
    : QObject(parent), m_doc(doc), m_navigator(navigator)
{
    connect(&m_stack, &QUndoStack::cleanChanged, this,
            [this](bool bClean) { m_doc.SetModifiedFlag(!bClean); });
}

CModel3D* CProjectEditor::ModelAt(const CNodePath& path) const
{
    return ModelAtPath(m_doc, path);
}

void CProjectEditor::Repaint()
{
    if (CDocumentView* view = m_doc.GetView())
        view->Invalidate();
}

void CProjectEditor::PlacementApplied()
{
    m_navigator.SyncSettings();
    Repaint();
}

void CProjectEditor::PlaceModel(const CNodePath& path, const CMatrix& before, const CMatrix& after)
{
    if (!ModelAt(path) || before == after)
        return;
    m_stack.push(new CPlacementCommand(*this, path, before, after));
}

CProjectSnapshot CProjectEditor::Snapshot() const
{
    CProjectSnapshot snapshot;
    snapshot.m_settings = m_doc.GetSettings();
    CZelmoraDoc::CopyTrackers(snapshot.m_trackers, m_doc.m_trackers);
    return snapshot;
}

void CProjectEditor::Restore(const CProjectSnapshot& snapshot)
{
    if (CDocumentView* view = m_doc.GetView())
        view->MakeCurrent();
    m_doc.ReleaseRunData();
    m_doc.SetSettings(snapshot.m_settings);
    CZelmoraDoc::CopyTrackers(m_doc.m_trackers, snapshot.m_trackers);
    m_doc.BuildPatternRegistry();
    m_navigator.RefreshTree();
    m_navigator.SyncSettings();
    Repaint();
}

void CProjectEditor::RestoreSettings(const CProjectSettings& settings)
{
    m_doc.SetSettings(settings);
    m_navigator.SyncSettings();
    Repaint();
}

void CProjectEditor::EditProperties()
{
    const CProjectSnapshot before = Snapshot();
    if (!m_doc.OnProperties())
        return;
    m_navigator.SyncSettings();
    Repaint();
    m_stack.push(new CProjectCommand(*this, "Propiedades", before, Snapshot()));
}

void CProjectEditor::EditNode(const CNodePath& path)
{
    CDialogHost* host = m_doc.GetDialogHost();
    CTracker* tracker = ItemAt(m_doc.m_trackers, path.m_nTracker);
    if (!host || !tracker)
        return;
    const CProjectSnapshot before = Snapshot();
    CProjectSnapshot after = before;
    CTracker* edited = ItemAt(after.m_trackers, path.m_nTracker);
    bool accepted = false;
    QString text;
    if (path.m_kind == NodeKind::Tracker)
    {
        accepted = host->EditTracker(*edited, m_doc.m_strProjectDir);
        text = "Tracker";
    }
    else if (CPattern* pattern = ItemAt(edited->m_patterns, path.m_nItem);
             path.m_kind == NodeKind::Pattern && pattern)
    {
        accepted = host->EditPattern(*pattern, m_doc.m_strProjectDir);
        text = "Patrón";
    }
    else if (CModel3D* model = ItemAt(edited->m_models, path.m_nItem);
             path.m_kind == NodeKind::Model && model)
    {
        accepted = host->EditModel(*model, m_doc.m_strProjectDir, edited->ReferenceWidth());
        text = "Modelo 3D";
    }
    if (accepted)
        m_stack.push(new CProjectCommand(*this, text, before, after, false));
}

template <typename T>
void CProjectEditor::ChangeSetting(T CProjectSettings::*setting, T value, const QString& text)
{
    CProjectSettings after = m_doc.GetSettings();
    if (after.*setting == value)
        return;
    after.*setting = value;
    m_stack.push(new CSettingsCommand(*this, text, m_doc.GetSettings(), after));
}

void CProjectEditor::SetSingleView(bool bSingleView)
{
    ChangeSetting(&CProjectSettings::m_bSingleView, bSingleView, "Vista Única");
}

void CProjectEditor::SetViewZoom(int nZoom)
{
    ChangeSetting(&CProjectSettings::m_nViewZoom, nZoom, "Zoom de las vistas");
}

void CProjectEditor::SetRecordRelations(bool bRecord)
{
    ChangeSetting(&CProjectSettings::m_bRecordRelations, bRecord, "Grabar relación entre patrones");
}

void CProjectEditor::SetVideoConfig(const std::string& file)
{
    ChangeSetting(&CProjectSettings::m_strVideoConfig, file, "Elegir cámara");
}

void CProjectEditor::ReplaceTrackers(const std::list<CTracker>& trackers, const QString& text)
{
    const CProjectSnapshot before = Snapshot();
    CProjectSnapshot after;
    after.m_settings = before.m_settings;
    CZelmoraDoc::CopyTrackers(after.m_trackers, trackers);
    m_stack.push(new CProjectCommand(*this, text, before, after, false));
}

void CProjectEditor::ProjectReplaced()
{
    m_stack.clear();
    m_navigator.SyncSettings();
}

void CProjectEditor::ProjectSaved()
{
    m_stack.setClean();
}

void CProjectEditor::ProjectRestored()
{
    m_stack.clear();
    m_stack.resetClean();
    m_doc.SetModifiedFlag(true);
    m_navigator.SyncSettings();
}
