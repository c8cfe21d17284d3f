#include "ui/view/placement_fields_panel.h"

#include "ui/dialogs/named_widget.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QWheelEvent>

#include <cmath>

namespace
{
// Wide enough for any placement a person types; a value outside (or a
// zero or negative scale) is refused by the field and never reaches the matrix.
constexpr double kMaxUnits = 1e9;
constexpr double kMaxTurnDeg = 360.0;
constexpr double kMinScale = 1e-6;
constexpr double kMaxScale = 1e9;
constexpr int kUnitDecimals = 4;
constexpr int kTurnDecimals = 4;
constexpr int kScaleDecimals = 6;
// Where the turns and the scale start in the panel's row of fields.
constexpr int kTurnIndex = 3;
constexpr int kScaleIndex = 6;

// A number field that shows "2" rather than "2.0000", as narrow as a
// navigator row of three allows, in the C locale like every number field of
// the program. The arrows are left out: a field applies on Enter or on
// leaving it, and arrows that did not apply at once would mislead.
class CPlacementField : public QDoubleSpinBox
{
  public:
    CPlacementField(int decimals, double low, double high, QWidget* parent) : QDoubleSpinBox(parent)
    {
        setLocale(QLocale::c());
        setDecimals(decimals);
        setRange(low, high);
        setButtonSymbols(QAbstractSpinBox::NoButtons);
        setKeyboardTracking(false);
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
        setFocusPolicy(Qt::StrongFocus);
    }

    QString textFromValue(double value) const override
    {
        QString text = locale().toString(value, 'f', decimals());
        if (text.contains(QLatin1Char('.')))
        {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    }

    QSize sizeHint() const override
    {
        QSize size = QDoubleSpinBox::sizeHint();
        size.setWidth(std::min(size.width(),
                               fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) + 12));
        return size;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    // The wheel scrolls the navigator's column unless the person is in the
    // field: a value turned by passing over it would be applied on leaving.
    void wheelEvent(QWheelEvent* event) override
    {
        if (hasFocus())
            QDoubleSpinBox::wheelEvent(event);
        else
            event->ignore();
    }
};
} // namespace

CPlacementFieldsPanel::CPlacementFieldsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("placementFields"));
    // One grid, the axes as column heads: the navigator must still fit a
    // laptop screen's height with every placement control in it.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    static const char* const axes[] = {"X", "Y", "Z"};
    for (int k = 0; k < 3; ++k)
    {
        const QString axis = QString::fromLatin1(axes[k]);
        auto* head = Named(new QLabel(axis, this),
                           (QByteArray("axis") + axes[k] + "Label").constData(), axis);
        grid->addWidget(head, 0, 1 + k, Qt::AlignHCenter);
    }
    AddAxisRow(grid, 1, tr("Posición"), "position", 0);
    AddAxisRow(grid, 2, tr("Rotación (grados)"), "rotation", kTurnIndex);
    const QString turnOrder =
        tr("Giros sobre los ejes del tracker, en este orden: primero X, luego Y, luego Z. Con Y "
           "en 90 o -90 grados, el giro en Z se muestra como 0.");
    for (int k = kTurnIndex; k < kScaleIndex; ++k)
        m_fields[k]->setToolTip(turnOrder);
    grid->itemAtPosition(2, 0)->widget()->setToolTip(turnOrder);

    const QString scaleText = tr("Escala");
    m_fields[kScaleIndex] = Named(new CPlacementField(kScaleDecimals, kMinScale, kMaxScale, this),
                                  "scaleField", scaleText);
    auto* scaleLabel = Named(new QLabel(scaleText, this), "scaleFieldLabel", scaleText);
    scaleLabel->setBuddy(m_fields[kScaleIndex]);
    grid->addWidget(scaleLabel, 3, 0);
    grid->addWidget(m_fields[kScaleIndex], 3, 1);

    const QString noteText = tr("La matriz no es una traslación, rotación y escala uniforme que "
                                "quepa en estos campos: edítela en el diálogo del modelo.");
    m_pNote = Named(new QLabel(noteText, this), "placementNote", noteText);
    m_pNote->setWordWrap(true);
    grid->addWidget(m_pNote, 4, 0, 1, 4);

    for (int k = 0; k < kFieldCount; ++k)
        connect(m_fields[k], &QDoubleSpinBox::editingFinished, this,
                [this, k] { OnFieldFinished(k); });
    SetStepSizes(StepSizes());
    ShowMatrix(nullptr);
}

void CPlacementFieldsPanel::AddAxisRow(QGridLayout* grid, int row, const QString& title,
                                       const char* name, int first)
{
    const bool bTurn = first == kTurnIndex;
    auto* label = Named(new QLabel(title, this), (QByteArray(name) + "Label").constData(), title);
    grid->addWidget(label, row, 0);
    static const char* const axes[] = {"X", "Y", "Z"};
    for (int k = 0; k < 3; ++k)
    {
        const QByteArray objectName = QByteArray(name) + axes[k] + "Field";
        auto* field =
            Named(bTurn ? new CPlacementField(kTurnDecimals, -kMaxTurnDeg, kMaxTurnDeg, this)
                        : new CPlacementField(kUnitDecimals, -kMaxUnits, kMaxUnits, this),
                  objectName.constData(), title + QLatin1Char(' ') + QLatin1String(axes[k]));
        grid->addWidget(field, row, 1 + k);
        m_fields[first + k] = field;
    }
    label->setBuddy(m_fields[first]);
}

void CPlacementFieldsPanel::SetStepSizes(const StepSizes& sizes)
{
    for (int k = 0; k < kScaleIndex; ++k)
        m_fields[k]->setSingleStep(k < kTurnIndex ? sizes.units : sizes.deg);
}

void CPlacementFieldsPanel::ShowValue(int index, double value)
{
    // Showing a value is not typing one: nothing is reported.
    const QSignalBlocker blocker(m_fields[index]);
    m_fields[index]->setValue(value);
    m_shownValues[index] = m_fields[index]->value();
}

void CPlacementFieldsPanel::ShowMatrix(const CMatrix* matrix)
{
    PlacementFields fields;
    const bool bPlain = matrix && DecomposePlacement(*matrix, &fields);
    bool bFits = bPlain && fields.scale >= kMinScale && fields.scale <= kMaxScale;
    for (int k = 0; k < 3 && bFits; ++k)
        bFits = std::abs(fields.position[k]) <= kMaxUnits;
    m_bEditable = bFits;
    if (bFits)
        m_shown = fields;

    for (QDoubleSpinBox* field : m_fields)
    {
        const QSignalBlocker blocker(field);
        field->setEnabled(matrix != nullptr);
        field->setReadOnly(!bFits);
        field->clear();
    }
    if (bFits)
    {
        for (int k = 0; k < 3; ++k)
        {
            ShowValue(k, fields.position[k]);
            ShowValue(kTurnIndex + k, fields.rotationDeg[k]);
        }
        ShowValue(kScaleIndex, fields.scale);
    }
    else if (matrix)
    {
        // The translation column is always the position, plain or not.
        for (int k = 0; k < 3; ++k)
            if (std::abs(matrix->GetData()[12 + k]) <= kMaxUnits)
                ShowValue(k, matrix->GetData()[12 + k]);
    }
    m_pNote->setVisible(matrix && !bFits);
}

void CPlacementFieldsPanel::OnFieldFinished(int index)
{
    const double value = m_fields[index]->value();
    if (!m_bEditable || value == m_shownValues[index])
        return;
    PlacementFields changed = m_shown;
    if (index < kTurnIndex)
        changed.position[index] = value;
    else if (index < kScaleIndex)
        changed.rotationDeg[index - kTurnIndex] = value;
    else
        changed.scale = value;
    emit Placed(ComposePlacement(changed));
}
