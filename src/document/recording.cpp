// The document's recordings: the live area of a run, frame by frame, into a
// WebM file.
#include "document/zelmora_doc.h"

#include "document/said_text.h"
#include "project/user_messages.h"

#include <QCoreApplication>

#include <cctype>

namespace
{
constexpr const char* kRecordingCaption = QT_TRANSLATE_NOOP("CZelmoraDoc", "Grabar vídeo");
constexpr const char* kVideoExtension = ".webm";

bool HasExtension(const std::string& path, const std::string& extension)
{
    if (path.size() <= extension.size())
        return false;
    std::string tail = path.substr(path.size() - extension.size());
    for (char& c : tail)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == extension;
}

std::string Frames(int count)
{
    return std::to_string(count) +
           (count == 1 ? Said(QCoreApplication::translate("CZelmoraDoc", " fotograma"))
                       : Said(QCoreApplication::translate("CZelmoraDoc", " fotogramas")));
}
} // namespace

bool CZelmoraDoc::StartRecording(const std::string& path)
{
    if (!IsCapturing())
    {
        ShowMessage(Said(QCoreApplication::translate("CZelmoraDoc",
                                                     "Inicie la captura antes de grabar vídeo")),
                    Said(QCoreApplication::translate("CZelmoraDoc", kRecordingCaption)),
                    MessageIcon::Exclamation);
        return false;
    }
    if (!HasExtension(path, kVideoExtension))
    {
        ShowMessage(
            Said(QCoreApplication::translate(
                     "CZelmoraDoc",
                     "El vídeo se graba en formato WebM: el nombre debe terminar en .webm (%1)"),
                 {path}),
            Said(QCoreApplication::translate("CZelmoraDoc", kRecordingCaption)),
            MessageIcon::Exclamation);
        return false;
    }
    StopRecording();
    std::string error;
    m_pRecorder = CVideoRecorder::Open(path, m_pVideoSource->m_nWidth, m_pVideoSource->m_nHeight,
                                       m_pVideoSource->m_dFrameRate, &error);
    if (!m_pRecorder)
    {
        ShowMessage(Said(QCoreApplication::translate("CZelmoraDoc", "No se puede grabar en %1: %2"),
                         {path, error}),
                    Said(QCoreApplication::translate("CZelmoraDoc", kRecordingCaption)),
                    MessageIcon::Exclamation);
        return false;
    }
    m_strRecordingPath = path;
    NotifyRunState();
    return true;
}

void CZelmoraDoc::RecordFrame()
{
    if (!m_pRecorder)
        return;
    CDocumentView* view = GetView();
    if (!view || !view->ReadLiveFrame(m_recordedFrame))
        return;
    m_pRecorder->Submit(m_recordedFrame.data(), true);
    if (m_pRecorder->Failed())
        StopRecording();
}

void CZelmoraDoc::StopRecording()
{
    if (!m_pRecorder)
        return;
    m_lastRecording = m_pRecorder->Finish();
    m_pRecorder.reset();
    NotifyRunState();
    const CVideoRecorder::Summary& summary = m_lastRecording;
    if (!summary.strError.empty())
        ShowMessage(Said(QCoreApplication::translate(
                             "CZelmoraDoc", "La grabación se ha detenido: %1\n%2 conserva %3."),
                         {summary.strError, m_strRecordingPath, Frames(summary.nWritten)}),
                    Said(QCoreApplication::translate("CZelmoraDoc", kRecordingCaption)),
                    MessageIcon::Exclamation);
    else
        ShowMessage(
            Said(QCoreApplication::translate("CZelmoraDoc",
                                             "Vídeo guardado en %1: %2, %3 descartados."),
                 {m_strRecordingPath, Frames(summary.nWritten), std::to_string(summary.nDropped)}),
            Said(QCoreApplication::translate("CZelmoraDoc", kRecordingCaption)),
            MessageIcon::Information);
}
