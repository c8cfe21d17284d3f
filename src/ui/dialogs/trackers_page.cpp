#include "ui/dialogs/trackers_page.h"

#include "document/said_text.h"
#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/field_checks.h"
#include "ui/dialogs/list_rows.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
using CTrackerRow = CListRow<CTracker>;
} // namespace

CTrackersPage::CTrackersPage(const std::list<CTracker>& trackers, const std::string& projectDir,
                             CDialogHost& host, QWidget* parent)
    : QWidget(parent), m_trackers(trackers), m_strProjectDir(projectDir), m_host(host)
{
    const QString title = tr("Trackers");
    setObjectName(QStringLiteral("trackersPage"));
    setWindowTitle(title);
    setAccessibleName(title);
    m_pTrackerList = NewReportList({tr("Nombre")}, "trackerList", title, this);
    QPushButton* newButton = NewButton(tr("Nuevo"), "newTrackerButton", this);
    QPushButton* deleteButton = NewButton(tr("Eliminar"), "deleteTrackerButton", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newButton);
    buttons->addWidget(deleteButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTrackerList, 1);
    layout->addLayout(buttons);

    connect(newButton, &QPushButton::clicked, this, [this] { OnNew(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(m_pTrackerList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OnEdit(item); });
    for (auto pos = m_trackers.begin(); pos != m_trackers.end(); ++pos)
        AddRow(pos);
}

void CTrackersPage::AddRow(std::list<CTracker>::iterator pos)
{
    auto* row = new CTrackerRow(pos);
    row->setText(0, QString::fromStdString(pos->m_strName));
    InsertSortedRow(m_pTrackerList, row);
}

void CTrackersPage::OnNew()
{
    CTracker tracker;
    if (!m_host.EditTracker(tracker, m_strProjectDir))
        return;
    m_trackers.push_back(tracker);
    AddRow(std::prev(m_trackers.end()));
}

void CTrackersPage::OnDelete()
{
    CTrackerRow* row = SelectedRow<CTracker>(m_pTrackerList);
    if (!row || !ConfirmDeletion(Said(tr("el tracker")), row->text(0).toStdString()))
        return;
    m_trackers.erase(row->m_pos);
    delete row;
}

void CTrackersPage::OnEdit(QTreeWidgetItem* item)
{
    auto* row = static_cast<CTrackerRow*>(item);
    CTracker tracker = *row->m_pos;
    if (!m_host.EditTracker(tracker, m_strProjectDir))
        return;
    *row->m_pos = tracker;
    row->setText(0, QString::fromStdString(tracker.m_strName));
}
