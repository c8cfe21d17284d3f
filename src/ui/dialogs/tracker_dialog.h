#pragma once
// "Tracker": edits one tracker (its name, its patterns and their reference,
// its 3D models) on its own copy. Patterns and models are edited through
// the dialog host, each on a copy of its own, so Cancel here discards every
// change made inside, nested ones and deletions included.

#include "document/dialog_host.h"

#include <QCoreApplication>
#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class CTrackerDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(CTrackerDialog)

  public:
    CTrackerDialog(const CTracker& tracker, const std::string& projectDir, CDialogHost& host,
                   QWidget* parent = nullptr);

    // Takes the name and the reference pattern chosen in the combo.
    void accept() override;

    CTracker m_tracker;

  private:
    void CreateControls();
    void AddPatternRow(std::list<CPattern>::iterator pos);
    void AddModelRow(std::list<CModel3D>::iterator pos);
    // The combo lists the patterns in row order and selects the reference.
    void FillReferenceCombo();
    // The combo's choice becomes the working copy's reference, so that
    // refilling the combo after a change keeps what the user chose.
    void TakeReferenceFromCombo();

    void OnNewPattern();
    void OnDeletePattern();
    void OnEditPattern(QTreeWidgetItem* item);
    void OnNewModel();
    void OnDeleteModel();
    void OnEditModel(QTreeWidgetItem* item);

    std::string m_strProjectDir;
    CDialogHost& m_host;
    QLineEdit* m_pNameEdit = nullptr;
    QTreeWidget* m_pPatternList = nullptr;
    QComboBox* m_pReferenceCombo = nullptr;
    QTreeWidget* m_pModelList = nullptr;
};
