#pragma once
// "Modelo 3D": edits one model of a tracker (name, 3DS file and its 4 x 4
// placement) on its own copy, which the caller takes back when the dialog
// was accepted. The matrix shows as written on paper: grid row r, column c
// is element 4c + r of the column-major storage, so the translation is the
// right-hand column.

#include "project/model3d.h"

#include <QDialog>

#include <array>
#include <string>

class QLineEdit;

class CModel3DDialog : public QDialog
{
  public:
    CModel3DDialog(const CModel3D& model, const std::string& projectDir, QWidget* parent = nullptr);

    // Stores the fields only when every matrix field holds a number.
    void accept() override;

    // The field showing element 4 * column + row.
    QLineEdit* MatrixField(int row, int column) const { return m_matrixEdits[4 * column + row]; }

    CModel3D m_model;

  private:
    void LoadControls();
    bool SaveControls();

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pFileEdit = nullptr;
    std::array<QLineEdit*, 16> m_matrixEdits{}; // in element order
};
