// "Archivo > Publicar en la web...": the open project as a static web site,
// written on a worker thread so the window keeps painting.
#include "ui/shell/main_frame.h"

#include "document/zelmora_doc.h"
#include "project/user_messages.h"
#include "publish/site_publisher.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

void CMainFrame::OnPublishWeb()
{
    const QString start =
        m_strPathName.isEmpty() ? QString() : QFileInfo(m_strPathName).absolutePath();
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Publicar en la web"), start);
    if (!folder.isEmpty())
        PublishWeb(folder);
}

bool CMainFrame::PublishWeb(const QString& folder)
{
    if (m_doc.m_strProjectDir.empty())
    {
        ShowMessage(tr("Guarde el proyecto antes de publicarlo en la web").toStdString(),
                    "Zelmora", MessageIcon::Exclamation);
        return false;
    }
    // A copy: the window may go on changing the project meanwhile.
    const PublishedProject project{QFileInfo(m_strPathName).completeBaseName().toStdString(),
                                   m_doc.m_strProjectDir, m_doc.m_settings, m_doc.m_trackers};
    const QString text = tr("Publicando en la web...");
    QProgressDialog progress(text, tr("Cancelar"), 0, 0, this);
    progress.setObjectName("publishProgress");
    progress.setAccessibleName(text);
    progress.setWindowTitle(tr("Publicar en la web"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);

    std::atomic<bool> cancelled{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    bool published = false;
    std::string error;
    std::unique_ptr<QThread> worker(QThread::create(
        [&]
        {
            published = PublishSite(project, QFile::encodeName(folder).toStdString(), {}, &error,
                                    [&](int stepsDone, int steps)
                                    {
                                        done = stepsDone;
                                        total = steps;
                                        return !cancelled;
                                    });
        }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&progress, &QProgressDialog::canceled, [&] { cancelled = true; });
    QTimer steps;
    QObject::connect(&steps, &QTimer::timeout,
                     [&]
                     {
                         progress.setMaximum(total);
                         progress.setValue(done);
                     });
    steps.start(100);
    worker->start();
    progress.show();
    loop.exec();
    worker->wait();
    // Closing the box counts as cancelling it: read the answer first.
    const bool bCancelled = cancelled;
    progress.close();

    if (!published && bCancelled)
        return false;
    if (!published)
    {
        ShowMessage(tr("No se puede publicar en la web; no se ha escrito nada.\n%1")
                        .arg(QString::fromStdString(error))
                        .toStdString(),
                    "Zelmora", MessageIcon::Exclamation);
        return false;
    }
    ShowMessage(tr("El proyecto está publicado en %1.\nLos navegadores solo dan la cámara a "
                   "páginas servidas por HTTPS o desde localhost: súbalo a un servidor web con "
                   "HTTPS, o pruébelo con \"zelmora-cli publish PROYECTO CARPETA --serve\".")
                    .arg(folder)
                    .toStdString(),
                "Zelmora", MessageIcon::Information);
    return true;
}
