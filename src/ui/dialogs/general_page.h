#pragma once
// The "General" page of the project properties: the seven settings of the
// live run and the editor views, edited on the page's own copy. The sheet
// asks SaveControls on OK and hands m_settings back only when it succeeded.

#include "document/dialog_host.h"

#include <QCoreApplication>
#include <QWidget>

#include <string>

class CNumberSpinBox;
class QCheckBox;
class QLineEdit;

class CGeneralPage : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(CGeneralPage)

  public:
    CGeneralPage(const CProjectSettings& settings, const std::string& projectDir,
                 QWidget* parent = nullptr);

    // All fields are checked before any is stored: false, with a message and
    // the focus on the field, when one holds no allowed value.
    bool SaveControls();

    CProjectSettings m_settings;

  private:
    void CreateControls();
    void LoadControls();
    void UpdateThresholdEnabled();

    std::string m_strProjectDir;
    QLineEdit* m_pVideoConfigEdit = nullptr;
    QLineEdit* m_pCameraParamEdit = nullptr;
    QCheckBox* m_pAutoThresholdCheck = nullptr;
    QCheckBox* m_pAdaptiveThresholdCheck = nullptr;
    CNumberSpinBox* m_pThresholdSpin = nullptr;
    QCheckBox* m_pSingleViewCheck = nullptr;
    QLineEdit* m_pViewZoomEdit = nullptr;
    QCheckBox* m_pRecordRelationsCheck = nullptr;
};
