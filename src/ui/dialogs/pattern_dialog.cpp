#include "ui/dialogs/pattern_dialog.h"

#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"
#include "ui/dialogs/number_spin_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace
{
constexpr int kMaxWidth = 5000;
constexpr int kMinFrames = 1;
constexpr int kMaxFrames = 10000;
// The arrows' range for the tolerance, which has no limit of its own.
constexpr double kMaxToleranceStep = 100.0;

CNumberSpinBox* NewSpin(const char* objectName, const QString& label, double low, double high,
                        QWidget* parent)
{
    auto* spin = Named(new CNumberSpinBox(parent), objectName, label);
    spin->SetStepRange(low, high, false);
    return spin;
}
} // namespace

CPatternDialog::CPatternDialog(const CPattern& pattern, const std::string& projectDir,
                               QWidget* parent)
    : QDialog(parent), m_pattern(pattern)
{
    setObjectName(QStringLiteral("patternDialog"));
    setWindowTitle(tr("Patrón"));
    const QString widthText = tr("Ancho");
    const QString framesText = tr("Número patrones");
    const QString toleranceText = tr("Diferencia aceptable");
    auto* grid = new QGridLayout;
    const CNameAndFileFields fields = AddNameAndFileRows(grid, 3, projectDir, this);
    m_pNameEdit = fields.m_pName;
    m_pFileEdit = fields.m_pFile;
    m_pWidthSpin = NewSpin("widthSpin", widthText, 0, kMaxWidth, this);
    m_pFramesSpin = NewSpin("framesSpin", framesText, kMinFrames, kMaxFrames, this);
    m_pToleranceSpin = NewSpin("toleranceSpin", toleranceText, 0, kMaxToleranceStep, this);

    grid->addWidget(NewLabel(widthText, "widthLabel", m_pWidthSpin, this), 2, 0);
    grid->addWidget(m_pWidthSpin, 2, 1);
    grid->addWidget(NewLabel(framesText, "framesLabel", m_pFramesSpin, this), 3, 0);
    grid->addWidget(m_pFramesSpin, 3, 1);
    grid->addWidget(NewLabel(toleranceText, "toleranceLabel", m_pToleranceSpin, this), 4, 0);
    grid->addWidget(m_pToleranceSpin, 4, 1);
    AddFilterRows(grid, 5);
    grid->setColumnStretch(2, 1);
    LayOutBesideOkCancel(this, grid);
    LoadControls();
}

void CPatternDialog::AddFilterRows(QGridLayout* grid, int row)
{
    const QString filterText = tr("Filtro");
    const QString cutoffText = tr("Suavizado en reposo");
    const QString gainText = tr("Respuesta al movimiento");
    m_pFilterCombo = Named(new QComboBox(this), "filterCombo", filterText);
    m_pFilterCombo->addItem(tr("Media de los últimos fotogramas"));
    m_pFilterCombo->addItem(tr("Adaptativo"));
    m_pCutoffSpin = NewSpin("minCutoffSpin", cutoffText, kMinFilterCutoff, 10.0, this);
    m_pGainSpin = NewSpin("speedGainSpin", gainText, 0.0, 10.0, this);
    const QString explanationText =
        tr("El filtro adaptativo suaviza más cuanto más quieto está el marcador y sigue su "
           "movimiento sin retraso. Suavizado en reposo (Hz): más bajo, modelo más quieto con el "
           "marcador parado. Respuesta al movimiento: más alta, menos retraso cuando el marcador "
           "se mueve.");
    auto* explanation =
        Named(new QLabel(explanationText, this), "filterExplanation", explanationText);
    explanation->setWordWrap(true);

    grid->addWidget(NewLabel(filterText, "filterLabel", m_pFilterCombo, this), row, 0);
    grid->addWidget(m_pFilterCombo, row, 1, 1, 2);
    grid->addWidget(NewLabel(cutoffText, "minCutoffLabel", m_pCutoffSpin, this), row + 1, 0);
    grid->addWidget(m_pCutoffSpin, row + 1, 1);
    grid->addWidget(NewLabel(gainText, "speedGainLabel", m_pGainSpin, this), row + 2, 0);
    grid->addWidget(m_pGainSpin, row + 2, 1);
    grid->addWidget(explanation, row + 3, 0, 1, 3);
    connect(m_pFilterCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { UpdateFilterEnabled(); });
}

void CPatternDialog::UpdateFilterEnabled()
{
    const bool adaptive = m_pFilterCombo->currentIndex() == 1;
    m_pFramesSpin->setEnabled(!adaptive);
    m_pToleranceSpin->setEnabled(!adaptive);
    m_pCutoffSpin->setEnabled(adaptive);
    m_pGainSpin->setEnabled(adaptive);
}

void CPatternDialog::LoadControls()
{
    m_pNameEdit->setText(QString::fromStdString(m_pattern.m_strName));
    m_pFileEdit->setText(QString::fromStdString(m_pattern.m_strFile));
    m_pWidthSpin->SetInteger(m_pattern.m_nWidth);
    m_pFramesSpin->SetInteger(m_pattern.m_nFrames);
    m_pToleranceSpin->SetReal(m_pattern.m_fTolerance);
    m_pFilterCombo->setCurrentIndex(m_pattern.m_filter == PoseFilter::Adaptive ? 1 : 0);
    m_pCutoffSpin->SetReal(m_pattern.m_fMinCutoff);
    m_pGainSpin->SetReal(m_pattern.m_fSpeedGain);
    UpdateFilterEnabled();
}

bool CPatternDialog::SaveControls()
{
    int width = 0;
    int frames = 0;
    float tolerance = 0.0f;
    float cutoff = m_pattern.m_fMinCutoff;
    float gain = m_pattern.m_fSpeedGain;
    // A disabled field cannot be corrected, so it keeps what it had.
    if (!ReadIntField(m_pWidthSpin, m_pWidthSpin->text(), 0, kMaxWidth, width) ||
        !ReadIntField(m_pFramesSpin, m_pFramesSpin->text(), kMinFrames, kMaxFrames, frames) ||
        !ReadFloatField(m_pToleranceSpin, m_pToleranceSpin->text(), tolerance) ||
        (m_pCutoffSpin->isEnabled() &&
         !ReadFloatField(m_pCutoffSpin, m_pCutoffSpin->text(), kMinFilterCutoff, kMaxFilterSetting,
                         cutoff)) ||
        (m_pGainSpin->isEnabled() &&
         !ReadFloatField(m_pGainSpin, m_pGainSpin->text(), 0.0f, kMaxFilterSetting, gain)))
        return false;
    m_pattern.m_strName = m_pNameEdit->text().toStdString();
    m_pattern.m_strFile = m_pFileEdit->text().toStdString();
    m_pattern.m_nWidth = width;
    m_pattern.m_nFrames = frames;
    m_pattern.m_fTolerance = tolerance;
    m_pattern.m_filter =
        m_pFilterCombo->currentIndex() == 1 ? PoseFilter::Adaptive : PoseFilter::RunningAverage;
    m_pattern.m_fMinCutoff = cutoff;
    m_pattern.m_fSpeedGain = gain;
    return true;
}

void CPatternDialog::accept()
{
    if (SaveControls())
        QDialog::accept();
}
