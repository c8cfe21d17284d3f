#pragma once
// "Patrón": edits one pattern of a tracker (name, pattern file, printed
// width and its pose filter: the running average's two settings, or the
// adaptive filter's two) on its own copy, which the caller takes back when
// the dialog was accepted.

#include "project/pattern.h"

#include <QCoreApplication>
#include <QDialog>

#include <string>

class CNumberSpinBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

class CPatternDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(CPatternDialog)

  public:
    CPatternDialog(const CPattern& pattern, const std::string& projectDir,
                   QWidget* parent = nullptr);

    // Stores the fields only when all of them hold allowed values.
    void accept() override;

    CPattern m_pattern;

  private:
    void AddFilterRows(QGridLayout* grid, int row);
    void UpdateFilterEnabled();
    void LoadControls();
    bool SaveControls();

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pFileEdit = nullptr;
    CNumberSpinBox* m_pWidthSpin = nullptr;
    CNumberSpinBox* m_pFramesSpin = nullptr;
    CNumberSpinBox* m_pToleranceSpin = nullptr;
    QComboBox* m_pFilterCombo = nullptr;
    CNumberSpinBox* m_pCutoffSpin = nullptr;
    CNumberSpinBox* m_pGainSpin = nullptr;
};
