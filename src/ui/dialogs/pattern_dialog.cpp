#include "ui/dialogs/pattern_dialog.h"

#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"
#include "ui/dialogs/number_spin_box.h"

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
    setWindowTitle(QStringLiteral("Patrón"));
    const QString widthText = QStringLiteral("Ancho");
    const QString framesText = QStringLiteral("Número patrones");
    const QString toleranceText = QStringLiteral("Diferencia aceptable");
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
    grid->setColumnStretch(2, 1);
    LayOutBesideOkCancel(this, grid);
    LoadControls();
}

void CPatternDialog::LoadControls()
{
    m_pNameEdit->setText(QString::fromStdString(m_pattern.m_strName));
    m_pFileEdit->setText(QString::fromStdString(m_pattern.m_strFile));
    m_pWidthSpin->SetInteger(m_pattern.m_nWidth);
    m_pFramesSpin->SetInteger(m_pattern.m_nFrames);
    m_pToleranceSpin->SetReal(m_pattern.m_fTolerance);
}

bool CPatternDialog::SaveControls()
{
    int width = 0;
    int frames = 0;
    float tolerance = 0.0f;
    if (!ReadIntField(m_pWidthSpin, m_pWidthSpin->text(), 0, kMaxWidth, width) ||
        !ReadIntField(m_pFramesSpin, m_pFramesSpin->text(), kMinFrames, kMaxFrames, frames) ||
        !ReadFloatField(m_pToleranceSpin, m_pToleranceSpin->text(), tolerance))
        return false;
    m_pattern.m_strName = m_pNameEdit->text().toStdString();
    m_pattern.m_strFile = m_pFileEdit->text().toStdString();
    m_pattern.m_nWidth = width;
    m_pattern.m_nFrames = frames;
    m_pattern.m_fTolerance = tolerance;
    return true;
}

void CPatternDialog::accept()
{
    if (SaveControls())
        QDialog::accept();
}
