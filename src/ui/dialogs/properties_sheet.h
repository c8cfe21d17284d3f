#pragma once
// "Propiedades del proyecto": the pages "Aviso", "General" and "Trackers"
// over copies of the project's settings and trackers. It opens on "Aviso";
// OK is refused while the General page holds a value it cannot take.

#include "document/dialog_host.h"

#include <QCoreApplication>
#include <QDialog>

#include <list>
#include <string>

class CAvisoPage;
class CGeneralPage;
class CTrackersPage;
class QTabWidget;

class CPropertiesSheet : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(CPropertiesSheet)

  public:
    CPropertiesSheet(const CProjectSettings& settings, const std::list<CTracker>& trackers,
                     const std::string& projectDir, CDialogHost& host, QWidget* parent = nullptr);

    void accept() override;

    QTabWidget* Tabs() const { return m_pTabs; }
    CGeneralPage* GeneralPage() const { return m_pGeneralPage; }
    CTrackersPage* TrackersPage() const { return m_pTrackersPage; }

  private:
    QTabWidget* m_pTabs = nullptr;
    CAvisoPage* m_pAvisoPage = nullptr;
    CGeneralPage* m_pGeneralPage = nullptr;
    CTrackersPage* m_pTrackersPage = nullptr;
};
