// The main window's pictures of the augmented view: a snapshot of the
// editor view and recordings of the live area.
#include "ui/shell/main_frame.h"

#include "document/zelmora_doc.h"
#include "imaging/replace_file.h"
#include "project/user_messages.h"
#include "ui/view/zelmora_view.h"

#include <QBuffer>
#include <QFileDialog>
#include <QFileInfo>

#include <cstring>

namespace
{
constexpr const char* kImageCaption = QT_TRANSLATE_NOOP("CMainFrame", "Guardar imagen");

// Next to the project, named after it.
QString SuggestedName(const QString& projectPath, const char* extension)
{
    if (projectPath.isEmpty())
        return QString("Zelmora") + extension;
    const QFileInfo project(projectPath);
    return project.dir().filePath(project.completeBaseName() + extension);
}
} // namespace

void CMainFrame::OnSaveImage()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Guardar imagen"),
                                                      SuggestedName(m_strPathName, ".png"),
                                                      tr("Imágenes PNG (*.png)"));
    if (!path.isEmpty())
        SaveImage(path);
}

bool CMainFrame::SaveImage(const QString& path)
{
    if (QFileInfo(path).suffix().toLower() != "png")
    {
        ShowMessage(tr("La imagen se guarda en formato PNG: el nombre debe terminar en .png (%1)")
                        .arg(path)
                        .toStdString(),
                    tr(kImageCaption).toStdString(), MessageIcon::Exclamation);
        return false;
    }
    const QImage picture = m_pView->Render();
    // Encoded in memory, then written beside the target and renamed over it:
    // a failed write leaves whatever was there before.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    AtomicWriteFailure failure;
    std::string reason;
    if (picture.isNull())
        reason = tr("la vista aún no tiene imagen").toStdString();
    else if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
        reason = tr("no se puede codificar en PNG").toStdString();
    else if (!WriteFileAtomically(path.toStdString(),
                                  std::string(encoded.constData(), size_t(encoded.size())),
                                  &failure))
        reason = std::strerror(failure.error);
    if (reason.empty())
        return true;
    ShowMessage(tr("No se puede guardar la imagen %1: %2")
                    .arg(path, QString::fromStdString(reason))
                    .toStdString(),
                tr(kImageCaption).toStdString(), MessageIcon::Exclamation);
    return false;
}

void CMainFrame::OnRecord()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Grabar vídeo"), SuggestedName(m_strPathName, ".webm"), tr("Vídeo WebM (*.webm)"));
    if (!path.isEmpty())
        StartRecording(path);
}

bool CMainFrame::StartRecording(const QString& path)
{
    const bool started = m_doc.StartRecording(path.toStdString());
    UpdateCommandStates();
    return started;
}

void CMainFrame::OnStopRecording()
{
    m_doc.StopRecording();
    UpdateCommandStates();
}
