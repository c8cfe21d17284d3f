#pragma once
// "Patrón": edits one pattern of a tracker (name, pattern file, printed
// width and the two settings of its pose filter) on its own copy, which the
// caller takes back when the dialog was accepted.

#include "project/pattern.h"

#include <QDialog>

#include <string>

class CNumberSpinBox;
class QLineEdit;

class CPatternDialog : public QDialog
{
  public:
    CPatternDialog(const CPattern& pattern, const std::string& projectDir,
                   QWidget* parent = nullptr);

    // Stores the fields only when all of them hold allowed values.
    void accept() override;

    CPattern m_pattern;

  private:
    void LoadControls();
    bool SaveControls();

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pFileEdit = nullptr;
    CNumberSpinBox* m_pWidthSpin = nullptr;
    CNumberSpinBox* m_pFramesSpin = nullptr;
    CNumberSpinBox* m_pToleranceSpin = nullptr;
};
