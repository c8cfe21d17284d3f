// The navigator's controls, in the order a person reads them (and tabs
// through them): the tree, the selection, the view settings, then the
// controls that place the selected model.
#include "project/placement.h"
#include "ui/dialogs/named_widget.h"
#include "ui/view/navigator_dialog_bar.h"
#include "ui/view/placement_fields_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
// A "Paso" or "Giro" choice with its label, in a row of `group`; the items
// carry their size, `suffix` follows each number on screen.
QHBoxLayout* StepSizeRow(const QString& text, const char* name, std::initializer_list<double> sizes,
                         double chosen, const QString& suffix, QComboBox** combo, QWidget* group)
{
    *combo = Named(new QComboBox(group), name, text);
    for (double size : sizes)
    {
        (*combo)->addItem(QString::number(size) + suffix, size);
        if (size == chosen)
            (*combo)->setCurrentIndex((*combo)->count() - 1);
    }
    auto* label = Named(new QLabel(text, group), (QByteArray(name) + "Label").constData(), text);
    label->setBuddy(*combo);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(*combo, 1);
    return row;
}
} // namespace

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
    // On a short screen the column scrolls instead of making the window
    // taller than the screen; it is never narrower than its controls.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("navigatorScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(panel);
    scroll->setMinimumWidth(panel->minimumSizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    setWidget(scroll);

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
    m_pFields = new CPlacementFieldsPanel(placement);

    auto* move = Named(new QGroupBox(tr("Trasladar"), placement), "moveGroup", tr("Trasladar"));
    auto* moveGrid = new QGridLayout(move);
    moveGrid->addWidget(AddStepButton(tr("Arriba"), "upButton", PlacementStep::Up), 0, 1);
    moveGrid->addWidget(AddStepButton(tr("Izquierda"), "leftButton", PlacementStep::Left), 1, 0);
    moveGrid->addWidget(AddStepButton(tr("Abajo"), "downButton", PlacementStep::Down), 1, 1);
    moveGrid->addWidget(AddStepButton(tr("Derecha"), "rightButton", PlacementStep::Right), 1, 2);
    moveGrid->addLayout(StepSizeRow(tr("Paso"), "stepUnitsCombo", {0.1, 1.0, 10.0}, kStepUnits,
                                    QString(), &m_pStepUnits, move),
                        2, 0, 1, 3);
    auto* scale = Named(new QGroupBox(tr("Escalar"), placement), "scaleGroup", tr("Escalar"));
    auto* scaleRow = new QHBoxLayout(scale);
    scaleRow->addWidget(AddStepButton(tr("Menos"), "scaleDownButton", PlacementStep::ScaleDown));
    scaleRow->addWidget(AddStepButton(tr("Más"), "scaleUpButton", PlacementStep::ScaleUp));
    auto* rotate = Named(new QGroupBox(tr("Rotar"), placement), "rotateGroup", tr("Rotar"));
    auto* rotateColumn = new QVBoxLayout(rotate);
    auto* rotateRow = new QHBoxLayout;
    rotateRow->addWidget(AddStepButton(tr("Rotar Antihorario"), "rotateCounterClockwiseButton",
                                       PlacementStep::RotateCounterClockwise));
    rotateRow->addWidget(AddStepButton(tr("Rotar Horario"), "rotateClockwiseButton",
                                       PlacementStep::RotateClockwise));
    rotateColumn->addLayout(rotateRow);
    rotateColumn->addLayout(StepSizeRow(tr("Giro"), "stepDegCombo", {1.0, 15.0, 90.0}, kStepDeg,
                                        QStringLiteral("°"), &m_pStepDeg, rotate));

    for (QWidget* widget : std::initializer_list<QWidget*>{m_pFields, m_pZoomLabel, m_pZoom,
                                                           m_pTabs, move, scale, rotate})
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
