#include "ui/dialogs/general_page.h"

#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"
#include "ui/dialogs/file_browse.h"
#include "ui/dialogs/number_spin_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{
constexpr int kMaxThreshold = 255;
// The navigator's slider sets 1 to 10; the view draws 0 as 1.
constexpr int kMaxViewZoom = 10000;

QLineEdit* NewNumberEdit(const char* objectName, const QString& label, QWidget* parent)
{
    auto* edit = Named(new QLineEdit(parent), objectName, label);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return edit;
}
} // namespace

CGeneralPage::CGeneralPage(const CProjectSettings& settings, const std::string& projectDir,
                           QWidget* parent)
    : QWidget(parent), m_settings(settings), m_strProjectDir(projectDir)
{
    setObjectName(QStringLiteral("generalPage"));
    setWindowTitle(tr("General"));
    setAccessibleName(tr("General"));
    CreateControls();
    LoadControls();
}

void CGeneralPage::CreateControls()
{
    const QString videoText = tr("Configuración Video");
    const QString cameraText = tr("Calibración Cámara");
    m_pVideoConfigEdit = Named(new QLineEdit(this), "videoConfigEdit", videoText);
    QPushButton* videoBrowse = NewBrowseButton("videoConfigBrowseButton", videoText, this);
    m_pCameraParamEdit = Named(new QLineEdit(this), "cameraParamEdit", cameraText);
    QPushButton* cameraBrowse = NewBrowseButton("cameraParamBrowseButton", cameraText, this);
    const QString autoText = tr("Umbral Automático");
    m_pAutoThresholdCheck = Named(new QCheckBox(autoText, this), "autoThresholdCheck", autoText);
    const QString adaptiveText = tr("Umbral adaptativo");
    m_pAdaptiveThresholdCheck =
        Named(new QCheckBox(adaptiveText, this), "adaptiveThresholdCheck", adaptiveText);
    m_pAdaptiveThresholdCheck->setToolTip(
        tr("Cada punto se compara con la luz de su entorno: encuentra los marcadores "
           "en sombra y con luz desigual"));
    m_pThresholdSpin = Named(new CNumberSpinBox(this), "thresholdSpin", tr("Valor"));
    m_pThresholdSpin->SetStepRange(0, kMaxThreshold, true);
    const QString singleText = tr("Vista Única");
    m_pSingleViewCheck = Named(new QCheckBox(singleText, this), "singleViewCheck", singleText);
    m_pViewZoomEdit = NewNumberEdit("viewZoomEdit", tr("Zoom Vistas"), this);
    const QString recordText = tr("Grabar relación de patrones");
    m_pRecordRelationsCheck =
        Named(new QCheckBox(recordText, this), "recordRelationsCheck", recordText);
    // Shown for information: relations are always recorded.
    m_pRecordRelationsCheck->setEnabled(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(NewLabel(videoText, "videoConfigLabel", m_pVideoConfigEdit, this), 0, 0);
    grid->addWidget(m_pVideoConfigEdit, 0, 1, 1, 2);
    grid->addWidget(videoBrowse, 0, 3);
    grid->addWidget(NewLabel(cameraText, "cameraParamLabel", m_pCameraParamEdit, this), 1, 0);
    grid->addWidget(m_pCameraParamEdit, 1, 1, 1, 2);
    grid->addWidget(cameraBrowse, 1, 3);
    grid->addWidget(m_pAutoThresholdCheck, 2, 0, 1, 2);
    grid->addWidget(m_pAdaptiveThresholdCheck, 2, 2, 1, 2);
    QLabel* valueLabel = NewLabel(tr("Valor"), "thresholdLabel", m_pThresholdSpin, this);
    grid->addWidget(valueLabel, 3, 0, Qt::AlignRight);
    grid->addWidget(m_pThresholdSpin, 3, 1);
    grid->addWidget(m_pSingleViewCheck, 4, 0, 1, 2);
    grid->addWidget(NewLabel(tr("Zoom Vistas"), "viewZoomLabel", m_pViewZoomEdit, this), 5, 0);
    grid->addWidget(m_pViewZoomEdit, 5, 1);
    grid->addWidget(m_pRecordRelationsCheck, 6, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(7, 1);

    connect(videoBrowse, &QPushButton::clicked, this,
            [this] { BrowseForFile(m_pVideoConfigEdit, m_strProjectDir); });
    connect(cameraBrowse, &QPushButton::clicked, this,
            [this] { BrowseForFile(m_pCameraParamEdit, m_strProjectDir); });
    connect(m_pAutoThresholdCheck, &QCheckBox::toggled, this, [this] { UpdateThresholdEnabled(); });
    connect(m_pAdaptiveThresholdCheck, &QCheckBox::toggled, this,
            [this] { UpdateThresholdEnabled(); });
}

void CGeneralPage::LoadControls()
{
    m_pVideoConfigEdit->setText(QString::fromStdString(m_settings.m_strVideoConfig));
    m_pCameraParamEdit->setText(QString::fromStdString(m_settings.m_strCameraParam));
    m_pAutoThresholdCheck->setChecked(m_settings.m_bAutoThreshold);
    m_pAdaptiveThresholdCheck->setChecked(m_settings.m_bAdaptiveThreshold);
    m_pThresholdSpin->SetInteger(m_settings.m_nThreshold);
    m_pSingleViewCheck->setChecked(m_settings.m_bSingleView);
    m_pViewZoomEdit->setText(QString::number(m_settings.m_nViewZoom));
    m_pRecordRelationsCheck->setChecked(m_settings.m_bRecordRelations);
    UpdateThresholdEnabled();
}

// The adaptive threshold replaces the other two choices while it is on.
void CGeneralPage::UpdateThresholdEnabled()
{
    const bool adaptive = m_pAdaptiveThresholdCheck->isChecked();
    m_pAutoThresholdCheck->setEnabled(!adaptive);
    m_pThresholdSpin->setEnabled(!adaptive && !m_pAutoThresholdCheck->isChecked());
}

bool CGeneralPage::SaveControls()
{
    int threshold = m_settings.m_nThreshold;
    // A disabled field cannot be corrected, so a value it cannot hold (from
    // a hand-made file, say) is kept rather than refused.
    if (!m_pThresholdSpin->isEnabled())
        ParseInt(m_pThresholdSpin->text(), 0, kMaxThreshold, threshold);
    else if (!ReadIntField(m_pThresholdSpin, m_pThresholdSpin->text(), 0, kMaxThreshold, threshold))
        return false;
    int viewZoom = 0;
    if (!ReadIntField(m_pViewZoomEdit, m_pViewZoomEdit->text(), 0, kMaxViewZoom, viewZoom))
        return false;

    m_settings.m_strVideoConfig = m_pVideoConfigEdit->text().toStdString();
    m_settings.m_strCameraParam = m_pCameraParamEdit->text().toStdString();
    m_settings.m_bAutoThreshold = m_pAutoThresholdCheck->isChecked();
    m_settings.m_bAdaptiveThreshold = m_pAdaptiveThresholdCheck->isChecked();
    m_settings.m_nThreshold = threshold;
    m_settings.m_bSingleView = m_pSingleViewCheck->isChecked();
    m_settings.m_nViewZoom = viewZoom;
    m_settings.m_bRecordRelations = m_pRecordRelationsCheck->isChecked();
    return true;
}
