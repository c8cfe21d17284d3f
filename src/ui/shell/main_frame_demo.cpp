// "Archivo > Abrir demo": a first start has something to show. The demo is
// written once into the user's data folder and opened from there.
#include "ui/shell/main_frame.h"

#include "demo/demo_project.h"
#include "demo/demo_sequence.h"
#include "document/zelmora_doc.h"
#include "project/user_messages.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>
#include <memory>

namespace
{
QString DemoFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/demo";
}

// Writes the demo into `folder` on a worker thread while `progress` keeps
// the window responsive but closed to input; false with the reason.
bool WriteDemoBehind(QProgressDialog& progress, const QString& folder, std::string* error)
{
    // The demo's own project save makes its folder the current one; the open
    // project's file names must go on resolving where they did.
    const QString previousDir = QDir::currentPath();
    bool written = false;
    std::unique_ptr<QThread> worker(QThread::create(
        [&]
        {
            // The command line's frame counter has nowhere to go here.
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> sink(std::fopen("/dev/null", "w"),
                                                                 std::fclose);
            CDemoProgress counter(sink.get(), false, kDemoFrames);
            written = sink && WriteDemoProject(QFile::encodeName(folder).toStdString(), kDemoFrames,
                                               counter, error);
        }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    progress.show();
    loop.exec();
    worker->wait();
    QDir::setCurrent(previousDir);
    return written;
}
} // namespace

void CMainFrame::OnOpenDemo()
{
    if (!SaveModified())
        return;
    // The demo's markers are made with the tracking library, whose state a
    // run would be using at the same time.
    OnStopCapture();
    const QString folder = DemoFolder();
    // The project file is written last, so with it the rest is complete.
    const QString project = folder + "/" + kDemoProjectFile;
    if (!QFileInfo(project).isFile())
    {
        const QString text = tr("Preparando la demo (marcadores, modelos y vídeo)...");
        QProgressDialog progress(text, QString(), 0, 0, this);
        progress.setObjectName("demoProgress");
        progress.setAccessibleName(text);
        progress.setWindowTitle(tr("Abrir demo"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        std::string error;
        if (!WriteDemoBehind(progress, folder, &error))
        {
            ShowMessage(tr("No se puede preparar la demo en %1.\n%2")
                            .arg(folder, QString::fromStdString(error))
                            .toStdString(),
                        "Zelmora", MessageIcon::Exclamation);
            return;
        }
    }
    OpenProjectFile(project);
}
