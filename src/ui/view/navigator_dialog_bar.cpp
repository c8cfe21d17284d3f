#include "ui/view/navigator_dialog_bar.h"

#include "document/zelmora_doc.h"
#include "project/placement.h"
#include "render/model_scene.h"
#include "ui/dialogs/named_widget.h"
#include "ui/view/placement_fields_panel.h"
#include "ui/view/tree_images.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTreeWidget>

namespace
{
constexpr int kTrackerRole = Qt::UserRole + 1;
constexpr int kItemRole = Qt::UserRole + 2;

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, NodeKind kind, int tracker,
                         int item)
{
    auto* node = new QTreeWidgetItem(parent, QStringList(text));
    node->setIcon(0, TreeIcon(kind));
    node->setData(0, Qt::UserRole, int(kind));
    node->setData(0, kTrackerRole, tracker);
    node->setData(0, kItemRole, item);
    return node;
}

} // namespace

CNavigatorDialogBar::CNavigatorDialogBar(CZelmoraDoc& doc, QWidget* parent)
    : QDockWidget(tr("Navegador"), parent), m_doc(doc)
{
    qRegisterMetaType<CNodePath>();
    setObjectName("navigator");
    setAccessibleName(tr("Navegador"));
    // Docked at the left for good: neither floating nor closable.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    CreateControls();

    connect(m_pTree, &QTreeWidget::currentItemChanged, this, [this] { OnSelectionChanged(); });
    connect(m_pEdit, &QPushButton::clicked, this, [this] { OnEdit(); });
    connect(m_pReload, &QPushButton::clicked, this, [this] { OnReload(); });
    connect(m_pFields, &CPlacementFieldsPanel::Placed, this,
            [this](const CMatrix& after) { OnFieldPlaced(after); });
    for (QComboBox* combo : {m_pStepUnits, m_pStepDeg})
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this] { m_pFields->SetStepSizes(ChosenStepSizes()); });
    connect(m_pSingleView, &QCheckBox::clicked, this,
            [this](bool bChecked) { emit SingleViewChanged(bChecked); });
    connect(m_pRecordRelations, &QCheckBox::clicked, this,
            [this](bool bChecked) { emit RecordRelationsChanged(bChecked); });
    // The zoom applies when the thumb is let go; keys and clicks on the
    // groove move no thumb, so they apply at once.
    connect(m_pZoom, &QSlider::sliderReleased, this,
            [this] { emit ZoomChanged(m_pZoom->value()); });
    connect(m_pZoom, &QSlider::valueChanged, this,
            [this](int nValue)
            {
                if (!m_pZoom->isSliderDown() && nValue != m_doc.m_settings.m_nViewZoom)
                    emit ZoomChanged(nValue);
            });
}

void CNavigatorDialogBar::RefreshTree()
{
    const QSignalBlocker blocker(m_pTree);
    m_pSingleView->setChecked(m_doc.m_settings.m_bSingleView);
    SetChangingText(m_pSelection, QString());
    m_pEdit->hide();
    m_pReload->hide();
    m_pTree->clear();
    auto* root = new QTreeWidgetItem(m_pTree, QStringList(tr("Proyecto")));
    root->setIcon(0, TreeIcon(NodeKind::Project));
    root->setData(0, Qt::UserRole, int(NodeKind::Project));
    int trackerIndex = 0;
    for (const CTracker& tracker : m_doc.m_trackers)
    {
        QTreeWidgetItem* node = AddNode(root, QString::fromStdString(tracker.m_strName),
                                        NodeKind::Tracker, trackerIndex, -1);
        int k = 0;
        for (const CPattern& pattern : tracker.m_patterns)
            AddNode(node, QString::fromStdString(pattern.m_strName), NodeKind::Pattern, trackerIndex,
                    k++);
        k = 0;
        for (const CModel3D& model : tracker.m_models)
            AddNode(node, QString::fromStdString(model.m_strName), NodeKind::Model, trackerIndex, k++);
        ++trackerIndex;
    }
    // Nothing is selected after a rebuild: the old selection may be gone.
    m_pTree->setCurrentItem(nullptr);
    m_pTree->clearSelection();
    ShowPlacement();
}

void CNavigatorDialogBar::SyncSettings()
{
    m_pSingleView->setChecked(m_doc.m_settings.m_bSingleView);
    m_pRecordRelations->setChecked(m_doc.m_settings.m_bRecordRelations);
    if (m_doc.m_settings.m_nViewZoom >= kMinZoom && m_doc.m_settings.m_nViewZoom <= kMaxZoom)
    {
        const QSignalBlocker blocker(m_pZoom);
        m_pZoom->setValue(m_doc.m_settings.m_nViewZoom);
    }
    ShowPlacement();
}

void CNavigatorDialogBar::ShowPlacement()
{
    const CModel3D* model = GetSelectedModel();
    m_pFields->ShowMatrix(model ? &model->m_matrix : nullptr);
}

StepSizes CNavigatorDialogBar::ChosenStepSizes() const
{
    return {m_pStepUnits->currentData().toDouble(), m_pStepDeg->currentData().toDouble()};
}

CNodePath CNavigatorDialogBar::SelectedPath() const
{
    CNodePath path;
    const QTreeWidgetItem* item = m_pTree->currentItem();
    if (!item)
        return path;
    path.m_kind = NodeKind(item->data(0, Qt::UserRole).toInt());
    path.m_nTracker =
        item->data(0, kTrackerRole).isValid() ? item->data(0, kTrackerRole).toInt() : -1;
    path.m_nItem = item->data(0, kItemRole).isValid() ? item->data(0, kItemRole).toInt() : -1;
    return path;
}

CModel3D* CNavigatorDialogBar::GetSelectedModel()
{
    return ModelAtPath(m_doc, SelectedPath());
}

int CNavigatorDialogBar::CurrentTab() const
{
    return m_pTabs->currentIndex();
}

void CNavigatorDialogBar::OnSelectionChanged()
{
    const QTreeWidgetItem* item = m_pTree->currentItem();
    if (!item)
        return;
    const NodeKind kind = NodeKind(item->data(0, Qt::UserRole).toInt());
    const QString text = item->text(0);
    static const char* const prefixes[] = {"", QT_TR_NOOP("Tracker '"), QT_TR_NOOP("Patrón '"),
                                           QT_TR_NOOP("Modelo3D '")};
    SetChangingText(m_pSelection, kind == NodeKind::Project
                                      ? tr("Proyecto")
                                      : tr(prefixes[int(kind)]) + text + "'");
    m_pEdit->setVisible(true);
    m_pEdit->setEnabled(true);
    m_pReload->setVisible(kind == NodeKind::Model);
    m_pReload->setEnabled(kind == NodeKind::Model);
    ShowModelControls(kind == NodeKind::Model);
    ShowPlacement();
    emit SelectionChanged();
}

void CNavigatorDialogBar::ShowModelControls(bool bShow)
{
    for (QWidget* widget : m_modelControls)
    {
        widget->setVisible(bShow);
        if (!qobject_cast<QGroupBox*>(widget))
            widget->setEnabled(bShow);
    }
}

void CNavigatorDialogBar::OnEdit()
{
    const CNodePath path = SelectedPath();
    if (path.m_kind == NodeKind::Project)
        emit PropertiesRequested();
    else if (path.m_kind != NodeKind::None)
        emit EditRequested(path);
}

void CNavigatorDialogBar::OnReload()
{
    CModel3D* model = GetSelectedModel();
    if (!model)
        return;
    // The old display lists and the new ones belong to the view's context.
    if (CDocumentView* view = m_doc.GetView())
        view->MakeCurrent();
    ReloadModel(*model);
    emit ModelReloaded();
}

void CNavigatorDialogBar::OnStep(PlacementStep step)
{
    CModel3D* model = GetSelectedModel();
    if (!model)
        return;
    const CMatrix after =
        ApplyPlacementStep(model->m_matrix, step, CurrentTab(), ChosenStepSizes());
    emit ModelPlaced(SelectedPath(), model->m_matrix, after);
}

void CNavigatorDialogBar::OnFieldPlaced(const CMatrix& after)
{
    if (const CModel3D* model = GetSelectedModel())
        emit ModelPlaced(SelectedPath(), model->m_matrix, after);
    // Whether or not the edit went through, the fields show the matrix the
    // model now holds.
    ShowPlacement();
}
