#include "document/edit_commands.h"

#include "project/model3d.h"

CPlacementCommand::CPlacementCommand(CProjectEditor& editor, const CNodePath& path,
                                     const CMatrix& before, const CMatrix& after)
    : QUndoCommand("Colocar modelo"), m_editor(editor), m_path(path), m_before(before),
      m_after(after)
{
}

void CPlacementCommand::Apply(const CMatrix& matrix)
{
    // Every change of the tracker list is a command too, so along the stack
    // the same path always leads to the same model.
    if (CModel3D* model = m_editor.ModelAt(m_path))
        model->m_matrix = matrix;
    m_editor.PlacementApplied();
}

CSettingsCommand::CSettingsCommand(CProjectEditor& editor, const QString& text,
                                   const CProjectSettings& before, const CProjectSettings& after)
    : QUndoCommand(text), m_editor(editor), m_before(before), m_after(after)
{
}

CProjectCommand::CProjectCommand(CProjectEditor& editor, const QString& text,
                                 CProjectSnapshot before, CProjectSnapshot after, bool applied)
    : QUndoCommand(text), m_editor(editor), m_before(std::move(before)), m_after(std::move(after)),
      m_bSkipRedo(applied)
{
}

void CProjectCommand::redo()
{
    if (m_bSkipRedo)
    {
        m_bSkipRedo = false;
        return;
    }
    m_editor.Restore(m_after);
}
