#include "ui/dialogs/tracker_dialog.h"

#include "document/pattern_warnings.h"
#include "document/said_text.h"
#include "project/user_messages.h"
#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"
#include "ui/dialogs/list_rows.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
using CPatternRow = CListRow<CPattern>;
using CModelRow = CListRow<CModel3D>;
constexpr int kListWidthPx = 300;
constexpr int kListHeightPx = 140;

// A pattern that is read in wrong turns, taken for plain surfaces or for
// another pattern of the tracker is still added, but the user hears why it
// will track badly.
void WarnAboutNewPattern(const CPattern& pattern, const std::list<CPattern>& patterns,
                         const std::string& projectDir)
{
    const std::string text = NewPatternWarnings(pattern, patterns, projectDir);
    if (!text.empty())
        ShowMessage(text, Said(QCoreApplication::translate("CTrackerDialog", "Aviso")),
                    MessageIcon::Exclamation);
}

void ShowPattern(QTreeWidgetItem* row, const CPattern& pattern)
{
    row->setText(0, QString::fromStdString(pattern.m_strName));
    row->setText(1, QString::fromStdString(pattern.m_strFile));
    row->setText(2, QString::number(pattern.m_nWidth));
    row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
}

void ShowModel(QTreeWidgetItem* row, const CModel3D& model)
{
    row->setText(0, QString::fromStdString(model.m_strName));
    row->setText(1, QString::fromStdString(model.m_strFile));
}
} // namespace

CTrackerDialog::CTrackerDialog(const CTracker& tracker, const std::string& projectDir,
                               CDialogHost& host, QWidget* parent)
    : QDialog(parent), m_tracker(tracker), m_strProjectDir(projectDir), m_host(host)
{
    setObjectName(QStringLiteral("trackerDialog"));
    setWindowTitle(tr("Tracker"));
    CreateControls();
    m_pNameEdit->setText(QString::fromStdString(m_tracker.m_strName));
    for (auto pos = m_tracker.m_patterns.begin(); pos != m_tracker.m_patterns.end(); ++pos)
        AddPatternRow(pos);
    FillReferenceCombo();
    for (auto pos = m_tracker.m_models.begin(); pos != m_tracker.m_models.end(); ++pos)
        AddModelRow(pos);
}

void CTrackerDialog::CreateControls()
{
    const QString nameText = tr("Nombre");
    const QString patternsText = tr("Patrones");
    const QString modelsText = tr("Modelos 3D");
    const QString referenceText = tr("Patrón Referencia");
    m_pNameEdit = Named(new QLineEdit(this), "nameEdit", nameText);

    auto* patternGroup = Named(new QGroupBox(patternsText, this), "patternGroup", patternsText);
    m_pPatternList = NewReportList({nameText, tr("Fichero"), tr("Ancho")}, "patternList",
                                   patternsText, patternGroup, {2});
    m_pPatternList->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    m_pPatternList->setMinimumSize(kListWidthPx, kListHeightPx);
    m_pReferenceCombo = Named(new QComboBox(patternGroup), "referenceCombo", referenceText);
    QPushButton* newPattern = NewButton(tr("Nuevo"), "newPatternButton", patternGroup);
    QPushButton* deletePattern = NewButton(tr("Eliminar"), "deletePatternButton", patternGroup);
    auto* referenceRow = new QHBoxLayout;
    referenceRow->addWidget(NewLabel(referenceText, "referenceLabel", m_pReferenceCombo, this));
    referenceRow->addWidget(m_pReferenceCombo, 1);
    auto* patternButtons = new QHBoxLayout;
    patternButtons->addWidget(newPattern);
    patternButtons->addWidget(deletePattern);
    patternButtons->addStretch();
    auto* patternLayout = new QVBoxLayout(patternGroup);
    patternLayout->addWidget(m_pPatternList);
    patternLayout->addLayout(referenceRow);
    patternLayout->addLayout(patternButtons);

    auto* modelGroup = Named(new QGroupBox(modelsText, this), "modelGroup", modelsText);
    m_pModelList = NewReportList({nameText, tr("Fichero")}, "modelList", modelsText, modelGroup);
    m_pModelList->setMinimumSize(kListWidthPx, kListHeightPx);
    QPushButton* newModel = NewButton(tr("Nuevo"), "newModelButton", modelGroup);
    QPushButton* deleteModel = NewButton(tr("Eliminar"), "deleteModelButton", modelGroup);
    newPattern->setAccessibleDescription(patternsText);
    deletePattern->setAccessibleDescription(patternsText);
    newModel->setAccessibleDescription(modelsText);
    deleteModel->setAccessibleDescription(modelsText);
    auto* modelButtons = new QHBoxLayout;
    modelButtons->addWidget(newModel);
    modelButtons->addWidget(deleteModel);
    modelButtons->addStretch();
    auto* modelLayout = new QVBoxLayout(modelGroup);
    modelLayout->addWidget(m_pModelList);
    modelLayout->addLayout(modelButtons);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(NewLabel(nameText, "nameLabel", m_pNameEdit, this));
    nameRow->addWidget(m_pNameEdit, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(patternGroup);
    groups->addWidget(modelGroup);
    auto* fields = new QVBoxLayout;
    fields->addLayout(nameRow);
    fields->addLayout(groups, 1);
    LayOutBesideOkCancel(this, fields);

    connect(newPattern, &QPushButton::clicked, this, [this] { OnNewPattern(); });
    connect(deletePattern, &QPushButton::clicked, this, [this] { OnDeletePattern(); });
    connect(m_pPatternList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OnEditPattern(item); });
    connect(newModel, &QPushButton::clicked, this, [this] { OnNewModel(); });
    connect(deleteModel, &QPushButton::clicked, this, [this] { OnDeleteModel(); });
    connect(m_pModelList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OnEditModel(item); });
}

void CTrackerDialog::AddPatternRow(std::list<CPattern>::iterator pos)
{
    auto* row = new CPatternRow(pos);
    ShowPattern(row, *pos);
    InsertSortedRow(m_pPatternList, row);
}

void CTrackerDialog::AddModelRow(std::list<CModel3D>::iterator pos)
{
    auto* row = new CModelRow(pos);
    ShowModel(row, *pos);
    InsertSortedRow(m_pModelList, row);
}

void CTrackerDialog::FillReferenceCombo()
{
    m_pReferenceCombo->clear();
    for (int index = 0; index < m_pPatternList->topLevelItemCount(); ++index)
    {
        CPatternRow* row = RowAt<CPattern>(m_pPatternList, index);
        m_pReferenceCombo->addItem(row->text(0));
        if (row->m_pos == m_tracker.m_posReference)
            m_pReferenceCombo->setCurrentIndex(index);
    }
    if (!m_tracker.HasReference())
        m_pReferenceCombo->setCurrentIndex(-1);
}

void CTrackerDialog::TakeReferenceFromCombo()
{
    const int index = m_pReferenceCombo->currentIndex();
    if (index >= 0 && index < m_pPatternList->topLevelItemCount())
        m_tracker.m_posReference = RowAt<CPattern>(m_pPatternList, index)->m_pos;
    else
        m_tracker.m_posReference = m_tracker.m_patterns.end();
}

void CTrackerDialog::accept()
{
    TakeReferenceFromCombo();
    m_tracker.m_strName = m_pNameEdit->text().toStdString();
    QDialog::accept();
}

void CTrackerDialog::OnNewPattern()
{
    CPattern pattern;
    if (!m_host.EditPattern(pattern, m_strProjectDir))
        return;
    TakeReferenceFromCombo();
    m_tracker.m_patterns.push_back(pattern);
    AddPatternRow(std::prev(m_tracker.m_patterns.end()));
    FillReferenceCombo();
    WarnAboutNewPattern(m_tracker.m_patterns.back(), m_tracker.m_patterns, m_strProjectDir);
}

void CTrackerDialog::OnDeletePattern()
{
    CPatternRow* row = SelectedRow<CPattern>(m_pPatternList);
    if (!row || !ConfirmDeletion(Said(tr("el patrón")), row->text(0).toStdString()))
        return;
    TakeReferenceFromCombo();
    if (row->m_pos == m_tracker.m_posReference)
        m_tracker.m_posReference = m_tracker.m_patterns.end();
    m_tracker.m_patterns.erase(row->m_pos);
    delete row;
    FillReferenceCombo();
}

void CTrackerDialog::OnEditPattern(QTreeWidgetItem* item)
{
    auto* row = static_cast<CPatternRow*>(item);
    CPattern pattern = *row->m_pos;
    if (!m_host.EditPattern(pattern, m_strProjectDir))
        return;
    TakeReferenceFromCombo();
    *row->m_pos = pattern;
    ShowPattern(row, pattern);
    FillReferenceCombo();
}

void CTrackerDialog::OnNewModel()
{
    CModel3D model;
    if (!m_host.EditModel(model, m_strProjectDir, m_tracker.ReferenceWidth()))
        return;
    m_tracker.m_models.push_back(model);
    AddModelRow(std::prev(m_tracker.m_models.end()));
}

void CTrackerDialog::OnDeleteModel()
{
    CModelRow* row = SelectedRow<CModel3D>(m_pModelList);
    if (!row || !ConfirmDeletion(Said(tr("el modelo 3D")), row->text(0).toStdString()))
        return;
    m_tracker.m_models.erase(row->m_pos);
    delete row;
}

void CTrackerDialog::OnEditModel(QTreeWidgetItem* item)
{
    auto* row = static_cast<CModelRow*>(item);
    CModel3D model = *row->m_pos;
    if (!m_host.EditModel(model, m_strProjectDir, m_tracker.ReferenceWidth()))
        return;
    *row->m_pos = model;
    ShowModel(row, model);
}
