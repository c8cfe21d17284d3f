#pragma once
// The navigator bar docked at the left of the main window ("Navegador"):
// the project as a tree, "Editar" and "Recargar" for the selected node, the
// "Vista Única" box, and, while a model is selected, its typed placement
// (position, turns, scale), the zoom slider, the view tabs and the buttons
// that move, turn and scale the model by the chosen step sizes. GUI thread.
//
// It changes nothing in the project itself: edits leave as signals, which
// the main window turns into undoable commands.

#include "document/document_hosts.h"
#include "document/node_path.h"
#include "project/matrix.h"
#include "project/placement.h"
#include "ui/view/model_selection.h"

#include <QDockWidget>

class CPlacementFieldsPanel;
class CZelmoraDoc;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

class CNavigatorDialogBar : public QDockWidget, public CNavigatorHost, public CModelSelection
{
    Q_OBJECT
  public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 10;

    explicit CNavigatorDialogBar(CZelmoraDoc& doc, QWidget* parent = nullptr);

    void RefreshTree() override;
    // Also shows the selected model's placement in the typed fields again.
    void SyncSettings() override;
    CModel3D* GetSelectedModel() override;
    // The selected node; kind -1 when nothing is selected.
    CNodePath SelectedPath() const;
    int CurrentTab() const;

  signals:
    void PropertiesRequested();
    void EditRequested(CNodePath path);
    void ModelPlaced(CNodePath path, CMatrix before, CMatrix after);
    void SingleViewChanged(bool bSingleView);
    void ZoomChanged(int nZoom);
    void RecordRelationsChanged(bool bRecord);
    // "Recargar" read a model again, or another node was selected: the view
    // shows it anew.
    void ModelReloaded();
    void SelectionChanged();

  private:
    void CreateControls();
    QWidget* CreatePlacementControls();
    QPushButton* AddStepButton(const QString& text, const char* name, PlacementStep step);
    void OnSelectionChanged();
    void OnEdit();
    void OnReload();
    void OnStep(PlacementStep step);
    void OnFieldPlaced(const CMatrix& after);
    void ShowPlacement();
    StepSizes ChosenStepSizes() const;
    void ShowModelControls(bool bShow);

    CZelmoraDoc& m_doc;
    QTreeWidget* m_pTree = nullptr;
    QLabel* m_pSelection = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pReload = nullptr;
    QCheckBox* m_pSingleView = nullptr;
    QCheckBox* m_pRecordRelations = nullptr;
    QLabel* m_pZoomLabel = nullptr;
    QSlider* m_pZoom = nullptr;
    QTabBar* m_pTabs = nullptr;
    CPlacementFieldsPanel* m_pFields = nullptr;
    // Kept for the session only: a new project keeps the person's choice.
    QComboBox* m_pStepUnits = nullptr;
    QComboBox* m_pStepDeg = nullptr;
    QList<QWidget*> m_modelControls; // shown while a model is selected
};

Q_DECLARE_METATYPE(CNodePath)
