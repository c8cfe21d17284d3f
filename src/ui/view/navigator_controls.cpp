// The navigator's controls, in the order a person reads them (and tabs
// through them): the tree, the selection, the view settings, then the
// controls that place the selected model.
#include "project/placement.h"
#include "ui/dialogs/named_widget.h"
#include "ui/view/navigator_dialog_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

void CNavigatorDialogBar::CreateControls()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("navigatorPanel");
    auto* column = new QVBoxLayout(panel);

    auto* title = Named(new QLabel(tr("Navegación"), panel), "navigationLabel", tr("Navegación"));
    m_pTree = Named(new QTreeWidget(panel), "projectTree", tr("Navegación"));
    title->setBuddy(m_pTree);
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setIconSize(QSize(16, 15));
    m_pSelection = Named(new QLabel(panel), "selectionLabel", tr("Selección"));
    m_pEdit = Named(new QPushButton(tr("Editar"), panel), "editButton", tr("Editar"));
    m_pReload = Named(new QPushButton(tr("Recargar"), panel), "reloadButton", tr("Recargar"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addWidget(m_pReload);
    m_pSingleView =
        Named(new QCheckBox(tr("Vista Única"), panel), "singleViewCheck", tr("Vista Única"));
    // Shown for what the project records; nothing lets it be changed.
    m_pRecordRelations = Named(new QCheckBox(tr("Grabar relación entre patrones"), panel),
                               "recordRelationsCheck", tr("Grabar relación entre patrones"));
    m_pRecordRelations->setEnabled(false);

    column->addWidget(title);
    column->addWidget(m_pTree, 1);
    column->addWidget(m_pSelection);
    column->addLayout(buttons);
    column->addWidget(m_pSingleView);
    column->addWidget(m_pRecordRelations);
    column->addWidget(CreatePlacementControls());
    column->addStretch();
    setWidget(panel);

    m_pEdit->hide();
    m_pReload->hide();
    ShowModelControls(false);
}

QWidget* CNavigatorDialogBar::CreatePlacementControls()
{
    auto* placement = new QWidget(this);
    placement->setObjectName("placementPanel");
    auto* column = new QVBoxLayout(placement);
    column->setContentsMargins(0, 0, 0, 0);

    m_pZoomLabel = Named(new QLabel(tr("Zoom de las vistas"), placement), "zoomLabel",
                         tr("Zoom de las vistas"));
    m_pZoom = Named(new QSlider(Qt::Horizontal, placement), "zoomSlider", tr("Zoom de las vistas"));
    m_pZoomLabel->setBuddy(m_pZoom);
    m_pZoom->setRange(kMinZoom, kMaxZoom);
    m_pZoom->setTickPosition(QSlider::TicksBothSides);
    m_pZoom->setPageStep(1);
    m_pTabs = Named(new QTabBar(placement), "viewTabs", tr("Vista de los botones"));
    for (const char* tab : {QT_TR_NOOP("Planta"), QT_TR_NOOP("Perfil"), QT_TR_NOOP("Alzado")})
        m_pTabs->addTab(tr(tab));
    m_pTabs->setCurrentIndex(0);

    auto* move = Named(new QGroupBox(tr("Trasladar"), placement), "moveGroup", tr("Trasladar"));
    auto* moveGrid = new QGridLayout(move);
    moveGrid->addWidget(AddStepButton(tr("Arriba"), "upButton", PlacementStep::Up), 0, 1);
    moveGrid->addWidget(AddStepButton(tr("Izquierda"), "leftButton", PlacementStep::Left), 1, 0);
    moveGrid->addWidget(AddStepButton(tr("Abajo"), "downButton", PlacementStep::Down), 1, 1);
    moveGrid->addWidget(AddStepButton(tr("Derecha"), "rightButton", PlacementStep::Right), 1, 2);
    auto* scale = Named(new QGroupBox(tr("Escalar"), placement), "scaleGroup", tr("Escalar"));
    auto* scaleRow = new QHBoxLayout(scale);
    scaleRow->addWidget(AddStepButton(tr("Menos"), "scaleDownButton", PlacementStep::ScaleDown));
    scaleRow->addWidget(AddStepButton(tr("Más"), "scaleUpButton", PlacementStep::ScaleUp));
    auto* rotate = Named(new QGroupBox(tr("Rotar"), placement), "rotateGroup", tr("Rotar"));
    auto* rotateRow = new QHBoxLayout(rotate);
    rotateRow->addWidget(AddStepButton(tr("Rotar Antihorario"), "rotateCounterClockwiseButton",
                                       PlacementStep::RotateCounterClockwise));
    rotateRow->addWidget(AddStepButton(tr("Rotar Horario"), "rotateClockwiseButton",
                                       PlacementStep::RotateClockwise));

    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_pZoomLabel, m_pZoom, m_pTabs, move, scale, rotate})
    {
        column->addWidget(widget);
        m_modelControls.append(widget);
    }
    return placement;
}

QPushButton* CNavigatorDialogBar::AddStepButton(const QString& text, const char* name,
                                                PlacementStep step)
{
    auto* button = Named(new QPushButton(text), name, text);
    connect(button, &QPushButton::clicked, this, [this, step] { OnStep(step); });
    m_modelControls.append(button);
    return button;
}
