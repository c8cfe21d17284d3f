#include "ui/dialogs/properties_sheet.h"

#include "ui/dialogs/aviso_page.h"
#include "ui/dialogs/dialog_controls.h"
#include "ui/dialogs/general_page.h"
#include "ui/dialogs/trackers_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertiesSheet::CPropertiesSheet(const CProjectSettings& settings,
                                   const std::list<CTracker>& trackers,
                                   const std::string& projectDir, CDialogHost& host,
                                   QWidget* parent)
    : QDialog(parent)
{
    const QString title = tr("Propiedades del proyecto");
    setObjectName(QStringLiteral("propertiesSheet"));
    setWindowTitle(title);
    m_pTabs = Named(new QTabWidget(this), "pageTabs", title);
    m_pAvisoPage = new CAvisoPage(m_pTabs);
    m_pGeneralPage = new CGeneralPage(settings, projectDir, m_pTabs);
    m_pTrackersPage = new CTrackersPage(trackers, projectDir, host, m_pTabs);
    m_pTabs->addTab(m_pAvisoPage, tr("Aviso"));
    m_pTabs->addTab(m_pGeneralPage, tr("General"));
    m_pTabs->addTab(m_pTrackersPage, tr("Trackers"));
    m_pTabs->setCurrentWidget(m_pAvisoPage);

    QPushButton* ok = NewButton(tr("Aceptar"), "okButton", this);
    ok->setDefault(true);
    QPushButton* cancel = NewButton(tr("Cancelar"), "cancelButton", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs, 1);
    layout->addLayout(buttons);
}

void CPropertiesSheet::accept()
{
    if (m_pGeneralPage->SaveControls())
        QDialog::accept();
}
