#pragma once
// The navigator's typed placement of the selected model: its position,
// its turns in degrees about the tracker's X, then Y, then Z, and its
// uniform scale, as number fields. A field applies on Enter or when it
// loses focus; the panel only reports the matrix it would make, and shows
// whatever matrix it is given. GUI thread.

#include "project/matrix.h"
#include "project/placement.h"
#include "project/placement_fields.h"

#include <QWidget>

class QDoubleSpinBox;
class QGridLayout;
class QLabel;

class CPlacementFieldsPanel : public QWidget
{
    Q_OBJECT
  public:
    static constexpr int kFieldCount = 7; // X, Y, Z, turns about X, Y, Z, scale

    explicit CPlacementFieldsPanel(QWidget* parent = nullptr);

    // Shows `matrix` without reporting anything; null empties and disables
    // the fields. A matrix the fields cannot hold shows read-only, with a note.
    void ShowMatrix(const CMatrix* matrix);
    // The arrow keys in the fields step by the navigator's chosen sizes.
    void SetStepSizes(const StepSizes& sizes);

  signals:
    // A field was given a new value: the matrix with it, every other part
    // kept at the precision the matrix had.
    void Placed(CMatrix after);

  private:
    // The label `title` and the X, Y, Z fields from m_fields[first] in `row`.
    void AddAxisRow(QGridLayout* grid, int row, const QString& title, const char* name, int first);
    void OnFieldFinished(int index);
    void ShowValue(int index, double value);

    QDoubleSpinBox* m_fields[kFieldCount] = {};
    QLabel* m_pNote = nullptr;
    PlacementFields m_shown;
    // What the fields showed after rounding: typing it again is no edit.
    double m_shownValues[kFieldCount] = {};
    bool m_bEditable = false;
};
