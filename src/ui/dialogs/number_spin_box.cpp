#include "ui/dialogs/number_spin_box.h"

#include "ui/dialogs/field_checks.h"

#include <QLineEdit>

#include <algorithm>

CNumberSpinBox::CNumberSpinBox(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 30);
}

void CNumberSpinBox::SetStepRange(double low, double high, bool wrapping)
{
    m_dLow = low;
    m_dHigh = high;
    m_bWrapping = wrapping;
}

void CNumberSpinBox::SetInteger(int value)
{
    SetText(QString::number(value));
}

void CNumberSpinBox::SetReal(double value)
{
    SetText(QString::number(value, 'g', 6));
}

void CNumberSpinBox::SetText(const QString& text)
{
    lineEdit()->setText(text);
}

void CNumberSpinBox::stepBy(int steps)
{
    double value = 0.0;
    if (!ParseNumber(text(), value))
        value = m_dLow;
    value += steps;
    if (m_bWrapping && value > m_dHigh)
        value = m_dLow;
    else if (m_bWrapping && value < m_dLow)
        value = m_dHigh;
    else
        value = std::clamp(value, m_dLow, m_dHigh);
    SetText(QString::number(value, 'g', 10));
}

QAbstractSpinBox::StepEnabled CNumberSpinBox::stepEnabled() const
{
    double value = 0.0;
    if (m_bWrapping || !ParseNumber(text(), value))
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value < m_dHigh)
        enabled |= StepUpEnabled;
    if (value > m_dLow)
        enabled |= StepDownEnabled;
    return enabled;
}
