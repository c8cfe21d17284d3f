#pragma once
// A number field with up and down arrows. Typing is free: the dialog checks
// the text on OK and names the allowed range, as it does for plain number
// fields, instead of the field silently refusing keys or reverting them.
// The arrows step by one within the range, wrapping at the ends if asked.

#include <QAbstractSpinBox>

class CNumberSpinBox : public QAbstractSpinBox
{
  public:
    explicit CNumberSpinBox(QWidget* parent = nullptr);

    void SetStepRange(double low, double high, bool wrapping);
    void SetInteger(int value);
    // General format, 6 significant digits: what a float holds (3.0 shows as 3).
    void SetReal(double value);
    void SetText(const QString& text);

    void stepBy(int steps) override;

  protected:
    StepEnabled stepEnabled() const override;

  private:
    double m_dLow = 0.0;
    double m_dHigh = 100.0;
    bool m_bWrapping = false;
};
