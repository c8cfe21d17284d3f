#pragma once
// "Modelo 3D": edits one model of a tracker (name, model file and its 4 x 4
// placement) on its own copy, which the caller takes back when the dialog
// was accepted. It shows the model's size in project units and offers
// "Ajustar al marcador", which fills the matrix so the model stands on the
// tracker's reference marker; the edit is undone with the dialog's. The matrix shows as written on
// paper: grid row r, column c is element 4c + r of the column-major storage, so the translation is
// the right-hand column.

#include "models/model_facts.h"
#include "project/model3d.h"

#include <QCoreApplication>
#include <QDialog>

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class CModel3DDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(CModel3DDialog)

  public:
    // markerWidth: the reference pattern's width, 0 without one.
    CModel3DDialog(const CModel3D& model, const std::string& projectDir, double markerWidth,
                   QWidget* parent = nullptr);

    // Stores the fields only when every matrix field holds a number.
    void accept() override;

    // The field showing element 4 * column + row.
    QLineEdit* MatrixField(int row, int column) const { return m_matrixEdits[4 * column + row]; }

    CModel3D m_model;

  private:
    void LoadControls();
    bool SaveControls();
    // Reads the file named in the field; the size shows what was read.
    void ReadFacts();
    void ShowSize();
    void FitOnMarker();

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pFileEdit = nullptr;
    QLabel* m_pSizeLabel = nullptr;
    QPushButton* m_pFitButton = nullptr;
    std::string m_strProjectDir;
    double m_dMarkerWidth = 0.0;
    bool m_bHaveFacts = false;
    ModelFacts m_facts;
    std::array<QLineEdit*, 16> m_matrixEdits{}; // in element order
};
