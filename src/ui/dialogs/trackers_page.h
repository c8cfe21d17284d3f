#pragma once
// The "Trackers" page of the project properties: the project's trackers on
// the page's own copy, with "Nuevo", "Eliminar" and a double-click to edit
// one through the dialog host. The sheet hands m_trackers back on OK.

#include "document/dialog_host.h"

#include <QCoreApplication>
#include <QWidget>

#include <list>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

class CTrackersPage : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(CTrackersPage)

  public:
    CTrackersPage(const std::list<CTracker>& trackers, const std::string& projectDir,
                  CDialogHost& host, QWidget* parent = nullptr);

    std::list<CTracker> m_trackers;

  private:
    void AddRow(std::list<CTracker>::iterator pos);
    void OnNew();
    void OnDelete();
    void OnEdit(QTreeWidgetItem* item);

    std::string m_strProjectDir;
    CDialogHost& m_host;
    QTreeWidget* m_pTrackerList = nullptr;
};
