#pragma once
// The undoable edits of the project editor: one model's placement, the
// view settings, and a snapshot of settings and trackers around a dialog's
// OK. Owned by the editor's undo stack.

#include "document/project_editor.h"

#include <QUndoCommand>

class CPlacementCommand : public QUndoCommand
{
  public:
    CPlacementCommand(CProjectEditor& editor, const CNodePath& path, const CMatrix& before,
                      const CMatrix& after);
    void undo() override { Apply(m_before); }
    void redo() override { Apply(m_after); }

  private:
    void Apply(const CMatrix& matrix);

    CProjectEditor& m_editor;
    CNodePath m_path;
    CMatrix m_before;
    CMatrix m_after;
};

class CSettingsCommand : public QUndoCommand
{
  public:
    CSettingsCommand(CProjectEditor& editor, const QString& text, const CProjectSettings& before,
                     const CProjectSettings& after);
    void undo() override { m_editor.RestoreSettings(m_before); }
    void redo() override { m_editor.RestoreSettings(m_after); }

  private:
    CProjectEditor& m_editor;
    CProjectSettings m_before;
    CProjectSettings m_after;
};

class CProjectCommand : public QUndoCommand
{
  public:
    // `applied`: the document already holds `after` (the properties sheet
    // applies its own OK), so the first redo has nothing to do.
    CProjectCommand(CProjectEditor& editor, const QString& text, CProjectSnapshot before,
                    CProjectSnapshot after, bool applied = true);
    void undo() override { m_editor.Restore(m_before); }
    void redo() override;

  private:
    CProjectEditor& m_editor;
    CProjectSnapshot m_before;
    CProjectSnapshot m_after;
    bool m_bSkipRedo;
};
