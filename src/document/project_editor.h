#pragma once
// Every change the window makes to the project goes through here, as a
// command on the undo stack: model placements (buttons and drags), the
// dialogs' OK (the properties sheet, a tracker, a pattern, a model) and the
// view settings. Undo puts back exactly the matrix, or the trackers and
// settings, that were there before. The stack's clean state is the saved
// project, so the document is marked modified exactly while they differ.
// GUI thread.

#include "document/dialog_host.h"
#include "project/matrix.h"
#include "document/node_path.h"

#include <QObject>
#include <QUndoStack>

#include <list>

class CNavigatorHost;
class CZelmoraDoc;

// What a dialog's OK can change: the settings and the whole tracker list.
struct CProjectSnapshot
{
    CProjectSettings m_settings;
    std::list<CTracker> m_trackers;
};

class CProjectEditor : public QObject
{
    Q_OBJECT
  public:
    CProjectEditor(CZelmoraDoc& doc, CNavigatorHost& navigator, QObject* parent = nullptr);

    QUndoStack& UndoStack() { return m_stack; }

    // The selected model, or none when the path no longer leads to one.
    void PlaceModel(const CNodePath& path, const CMatrix& before, const CMatrix& after);
    // "Propiedades": the sheet on copies; its OK becomes one command.
    void EditProperties();
    // "Editar" on a tracker, pattern or model: its dialog on a copy.
    void EditNode(const CNodePath& path);
    void SetSingleView(bool bSingleView);
    void SetViewZoom(int nZoom);
    void SetRecordRelations(bool bRecord);
    void SetVideoConfig(const std::string& file);
    // Files dropped on the window (a FileDropPlan's trackers) as one command.
    void ReplaceTrackers(const std::list<CTracker>& trackers, const QString& text);

    // A new, opened or saved project: nothing to undo, nothing unsaved.
    void ProjectReplaced();
    void ProjectSaved();
    // The project holds a crash copy's content: nothing to undo, and unsaved
    // until it is saved, whatever is undone or redone.
    void ProjectRestored();

    CProjectSnapshot Snapshot() const;
    // Puts a snapshot into the document: the run data is rebuilt, every
    // model reloaded, the tree rebuilt.
    void Restore(const CProjectSnapshot& snapshot);
    void RestoreSettings(const CProjectSettings& settings);
    CModel3D* ModelAt(const CNodePath& path) const;
    // A model's matrix changed (done, undone, redone): the navigator's
    // fields and the view follow.
    void PlacementApplied();
    void Repaint();

  private:
    // One setting changed as an undoable command; nothing when it is the same.
    template <typename T>
    void ChangeSetting(T CProjectSettings::*setting, T value, const QString& text);

    CZelmoraDoc& m_doc;
    CNavigatorHost& m_navigator;
    QUndoStack m_stack;
};
