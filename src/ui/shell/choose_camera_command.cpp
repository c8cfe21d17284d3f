// "Proyecto > Elegir cámara...": a capture device and size chosen from a
// list become the project's video configuration, as one undoable edit.
#include "ui/shell/main_frame.h"

#include "document/camera_choice.h"
#include "document/project_editor.h"
#include "document/zelmora_doc.h"
#include "ui/dialogs/camera_choice_dialog.h"
#include "project/user_messages.h"

namespace
{
const char* const kCaption = QT_TRANSLATE_NOOP("CMainFrame", "Elegir cámara");
} // namespace

void CMainFrame::OnChooseCamera()
{
    // The configuration is written into the project's folder, which a
    // never-saved project does not have yet.
    if (m_doc.m_strProjectDir.empty())
    {
        ShowMessage(tr("Guarde el proyecto antes de elegir la cámara: su configuración de vídeo se "
                       "escribe en la carpeta del proyecto.")
                        .toStdString(),
                    tr(kCaption).toStdString(), MessageIcon::Exclamation);
        return;
    }
    const std::vector<CaptureDevice> devices = ListCaptureDevices();
    if (devices.empty())
    {
        ShowMessage(tr("No se ha encontrado ninguna cámara. Conecte una y vuelva a intentarlo.")
                        .toStdString(),
                    tr(kCaption).toStdString(), MessageIcon::Exclamation);
        return;
    }
    CCameraChoiceDialog dialog(devices, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::string fileName, error;
    if (!WriteCameraChoice(m_doc.m_strProjectDir, *dialog.Device(), *dialog.Mode(), &fileName,
                           &error))
    {
        ShowMessage(tr("No se puede escribir la configuración de vídeo.").toStdString() + "\n" +
                        error,
                    tr(kCaption).toStdString(), MessageIcon::Exclamation);
        return;
    }
    m_pEditor->SetVideoConfig(fileName);
}
