#include "ui/dialogs/model3d_dialog.h"

#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CModel3DDialog::CModel3DDialog(const CModel3D& model, const std::string& projectDir,
                               QWidget* parent)
    : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("model3dDialog"));
    setWindowTitle(QStringLiteral("Modelo 3D"));
    const QString matrixText = QStringLiteral("Matriz");
    auto* grid = new QGridLayout;
    const CNameAndFileFields fields = AddNameAndFileRows(grid, 5, projectDir, this);
    m_pNameEdit = fields.m_pName;
    m_pFileEdit = fields.m_pFile;
    // Created row by row, so Tab walks the grid as it is read.
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
        {
            const QByteArray name =
                QStringLiteral("matrixEdit_%1_%2").arg(row).arg(column).toLatin1();
            const QString spoken = QStringLiteral("%1, fila %2, columna %3")
                                       .arg(matrixText)
                                       .arg(row + 1)
                                       .arg(column + 1);
            auto* edit = Named(new QLineEdit(this), name.constData(), spoken);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_matrixEdits[4 * column + row] = edit;
            grid->addWidget(edit, 2 + row, 1 + column);
        }
    QLabel* matrixLabel = NewLabel(matrixText, "matrixLabel", m_matrixEdits[0], this);
    grid->addWidget(matrixLabel, 2, 0, Qt::AlignTop);
    grid->setColumnStretch(5, 1);
    LayOutBesideOkCancel(this, grid);
    LoadControls();
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
