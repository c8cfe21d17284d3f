#pragma once
// The navigator bar docked at the left of the main window ("Navegador"):
// the project as a tree, "Editar" and "Recargar" for the selected node, the
// "Vista Única" box, and, while a model is selected, the zoom slider, the
// view tabs and the buttons that move, turn and scale the model. GUI thread.
//
// It changes nothing in the project itself: edits leave as signals, which
// the main window turns into undoable commands.

#include "document/document_hosts.h"
#include "document/node_path.h"
#include "project/matrix.h"
#include "ui/view/model_selection.h"

#include <QDockWidget>

class CZelmoraDoc;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
enum class PlacementStep;

class CNavigatorDialogBar : public QDockWidget, public CNavigatorHost, public CModelSelection
{
    Q_OBJECT
  public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 10;

    explicit CNavigatorDialogBar(CZelmoraDoc& doc, QWidget* parent = nullptr);

    void RefreshTree() override;
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
    QList<QWidget*> m_modelControls; // shown while a model is selected
};

Q_DECLARE_METATYPE(CNodePath)
