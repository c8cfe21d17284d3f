#include "ui/dialogs/model3d_dialog.h"

#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"

#include "document/project_paths.h"
#include "project/placement.h"
#include "render/scene.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{
// Built when asked, so the names follow the language chosen at start-up.
QStringList ModelFilters()
{
    return {QCoreApplication::translate("CModel3DDialog",
                                        "Modelos 3D (*.3ds *.gltf *.glb *.obj *.fbx *.dae)"),
            QStringLiteral("3DS (*.3ds)"),
            QStringLiteral("glTF (*.gltf *.glb)"),
            QStringLiteral("OBJ (*.obj)"),
            QStringLiteral("FBX (*.fbx)"),
            QStringLiteral("Collada (*.dae)"),
            QCoreApplication::translate("CModel3DDialog", "Todos los ficheros (*)")};
}
} // namespace

CModel3DDialog::CModel3DDialog(const CModel3D& model, const std::string& projectDir,
                               double markerWidth, QWidget* parent)
    : QDialog(parent), m_model(model), m_strProjectDir(projectDir), m_dMarkerWidth(markerWidth)
{
    setObjectName(QStringLiteral("model3dDialog"));
    setWindowTitle(tr("Modelo 3D"));
    const QString matrixText = tr("Matriz");
    auto* grid = new QGridLayout;
    const CNameAndFileFields fields = AddNameAndFileRows(grid, 5, projectDir, this, ModelFilters());
    m_pNameEdit = fields.m_pName;
    m_pFileEdit = fields.m_pFile;
    // Created row by row, so Tab walks the grid as it is read.
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
        {
            const QByteArray name =
                QStringLiteral("matrixEdit_%1_%2").arg(row).arg(column).toLatin1();
            const QString spoken =
                tr("%1, fila %2, columna %3").arg(matrixText).arg(row + 1).arg(column + 1);
            auto* edit = Named(new QLineEdit(this), name.constData(), spoken);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_matrixEdits[4 * column + row] = edit;
            grid->addWidget(edit, 2 + row, 1 + column);
        }
    QLabel* matrixLabel = NewLabel(matrixText, "matrixLabel", m_matrixEdits[0], this);
    grid->addWidget(matrixLabel, 2, 0, Qt::AlignTop);
    // A screen reader names the size the same way whatever it is; the size
    // itself is the label's description.
    m_pSizeLabel = Named(new QLabel(this), "sizeLabel",
                         QCoreApplication::translate("CModel3DDialog", "Tamaño en el tracker"));
    grid->addWidget(m_pSizeLabel, 6, 0, 1, 5);
    m_pFitButton = NewButton(tr("Ajustar al marcador"), "fitButton", this);
    m_pFitButton->setEnabled(markerWidth > 0.0);
    grid->addWidget(m_pFitButton, 6, 5);
    connect(m_pFitButton, &QPushButton::clicked, this, [this] { FitOnMarker(); });
    connect(m_pFileEdit, &QLineEdit::editingFinished, this, [this] { ReadFacts(); });
    grid->setColumnStretch(5, 1);
    LayOutBesideOkCancel(this, grid);
    LoadControls();
    ReadFacts();
}

void CModel3DDialog::ReadFacts()
{
    const std::string path = ResolveProjectPath(m_pFileEdit->text().toStdString(), m_strProjectDir);
    std::string reason;
    m_bHaveFacts = !path.empty() && ReadModelFacts(path, ModelDirectory(path), &m_facts, &reason);
    ShowSize();
}

// The box's corners through the matrix as the fields hold it: the size the
// model has on its tracker, in the pattern width's unit.
void CModel3DDialog::ShowSize()
{
    double elements[16];
    bool bNumbers = m_bHaveFacts && !m_facts.box.bEmpty;
    for (int k = 0; k < 16 && bNumbers; ++k)
        elements[k] = m_matrixEdits[k]->text().toDouble(&bNumbers);
    if (!bNumbers)
    {
        SetChangingText(m_pSizeLabel, QString());
        return;
    }
    ModelBox placed;
    for (int corner = 0; corner < 8; ++corner)
    {
        std::array<double, 3> point;
        for (size_t axis = 0; axis < 3; ++axis)
            point[axis] = corner & (1 << axis) ? m_facts.box.max[axis] : m_facts.box.min[axis];
        std::array<double, 3> moved;
        for (size_t row = 0; row < 3; ++row)
            moved[row] = elements[row] * point[0] + elements[4 + row] * point[1] +
                         elements[8 + row] * point[2] + elements[12 + row];
        placed.Add(moved);
    }
    // A quarter turn leaves rounding dust on a flat side; it shows as 0.
    constexpr double kFlatSide = 1e-9;
    QStringList sides;
    for (size_t axis = 0; axis < 3; ++axis)
    {
        const double side = placed.max[axis] - placed.min[axis];
        sides << QString::number(side < kFlatSide ? 0.0 : side, 'g', 4);
    }
    QString text = sides.join(QStringLiteral(" x "));
    if (m_facts.bSkinned)
        text += tr(" (esqueleto en postura de reposo)");
    SetChangingText(m_pSizeLabel, text);
}

void CModel3DDialog::FitOnMarker()
{
    if (!m_bHaveFacts)
        ReadFacts();
    if (!m_bHaveFacts)
        return;
    const CMatrix fitted = ::FitOnMarker(m_facts.box, m_facts.bYUp, m_dMarkerWidth);
    for (int k = 0; k < 16; ++k)
        m_matrixEdits[k]->setText(QString::number(fitted.GetData()[k], 'g', 15));
    ShowSize();
}

void CModel3DDialog::LoadControls()
{
    m_pNameEdit->setText(QString::fromStdString(m_model.m_strName));
    m_pFileEdit->setText(QString::fromStdString(m_model.m_strFile));
    const double* elements = m_model.m_matrix.GetData();
    for (int k = 0; k < 16; ++k)
        m_matrixEdits[k]->setText(QString::number(elements[k], 'g', 15));
}

bool CModel3DDialog::SaveControls()
{
    double elements[16];
    for (int k = 0; k < 16; ++k)
        if (!ReadRealField(m_matrixEdits[k], m_matrixEdits[k]->text(), elements[k]))
            return false;
    m_model.m_strName = m_pNameEdit->text().toStdString();
    m_model.m_strFile = m_pFileEdit->text().toStdString();
    m_model.m_matrix.SetData(elements);
    return true;
}

void CModel3DDialog::accept()
{
    if (SaveControls())
        QDialog::accept();
}
