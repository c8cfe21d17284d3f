// The document's live run: starting and stopping it and processing frames.
#include "document/zelmora_doc.h"

#include "document/pattern_registry.h"
#include "document/said_text.h"
#include "project/user_messages.h"

#include <QCoreApplication>

namespace
{
constexpr const char* kCameraCaption = QT_TRANSLATE_NOOP("CZelmoraDoc", "Camara");
} // namespace

void CZelmoraDoc::OnCapture()
{
    if (m_strProjectDir.empty())
    {
        ShowMessage(Said(QCoreApplication::translate(
                        "CZelmoraDoc", "Guarde el proyecto antes de iniciar su ejecución")),
                    Said(QCoreApplication::translate("CZelmoraDoc", "Aviso")),
                    MessageIcon::Exclamation);
        return;
    }
    StartCapture();
}

bool CZelmoraDoc::StartCapture(bool everyFrame)
{
    EndRun();
    if (m_settings.m_strVideoConfig.empty())
    {
        ShowMessage(Said(QCoreApplication::translate("CZelmoraDoc", "No hay configuración")),
                    Said(QCoreApplication::translate("CZelmoraDoc", kCameraCaption)));
        return false;
    }
    auto source = std::make_unique<CVideoSource>(m_settings.m_strVideoConfig, everyFrame);
    if (!source->m_pSource)
    {
        ShowMessage(Said(QCoreApplication::translate(
                             "CZelmoraDoc", "No se puede abrir la fuente de vídeo '%1': %2"),
                         {m_settings.m_strVideoConfig, source->Error()}),
                    Said(QCoreApplication::translate("CZelmoraDoc", kCameraCaption)),
                    MessageIcon::Exclamation);
        return false;
    }
    auto calibration =
        CCameraCalibration::Load(source->m_nWidth, source->m_nHeight, m_settings.m_strCameraParam);
    if (!calibration)
    {
        ShowMessage(Said(QCoreApplication::translate(
                             "CZelmoraDoc", "No se puede cargar la calibración de la cámara: %1"),
                         {m_settings.m_strCameraParam}),
                    Said(QCoreApplication::translate("CZelmoraDoc", kCameraCaption)),
                    MessageIcon::Exclamation);
        return false;
    }
    CDocumentView* view = GetView();
    if (view)
    {
        view->MakeCurrent();
        if (!source->CreateTexture())
        {
            ShowMessage(
                Said(QCoreApplication::translate("CZelmoraDoc", "No se puede mostrar el vídeo: %1"),
                     {source->Error()}),
                Said(QCoreApplication::translate("CZelmoraDoc", kCameraCaption)),
                MessageIcon::Exclamation);
            return false;
        }
    }
    m_pVideoSource = std::move(source);
    m_pCameraCalibration = std::move(calibration);
    m_settings.m_bRecordRelations = true;
    if (view)
    {
        view->RunLayoutChanged();
        // Frames wake the view's thread; with nothing arriving it sleeps.
        m_pVideoSource->SetFrameNotify([view] { view->FrameReady(); });
        view->FrameReady();
    }
    NotifyRunState();
    return true;
}

void CZelmoraDoc::OnStopCapture() { EndRun(); }

bool CZelmoraDoc::OnIdleFrame()
{
    if (!IsCapturing())
        return false;
    const CVideoSource::Grab grab = ProcessNextFrame(0);
    if (grab == CVideoSource::Grab::NoFrame)
        return false;
    if (grab == CVideoSource::Grab::Frame)
        RecordFrame();
    if (CDocumentView* view = GetView())
        view->Invalidate();
    return grab == CVideoSource::Grab::Frame;
}

CVideoSource::Grab CZelmoraDoc::ProcessNextFrame(int timeoutMs)
{
    if (!m_pVideoSource)
        return CVideoSource::Grab::Ended;
    if (CDocumentView* view = GetView())
        view->MakeCurrent();
    const CVideoSource::Grab grab = m_pVideoSource->GrabFrame(this, timeoutMs);
    if (grab == CVideoSource::Grab::Ended)
    {
        const std::string error = m_pVideoSource->Error();
        EndRun();
        if (!error.empty())
            ShowMessage(
                Said(QCoreApplication::translate("CZelmoraDoc", "La captura se ha detenido: %1"),
                     {error}),
                Said(QCoreApplication::translate("CZelmoraDoc", kCameraCaption)),
                MessageIcon::Exclamation);
    }
    return grab;
}

void CZelmoraDoc::OnFrame(const unsigned char* image, int width, int height)
{
    RunThreshold threshold{m_settings.m_nThreshold, m_settings.m_bAutoThreshold,
                           m_settings.m_bAdaptiveThreshold, m_nThresholdCountdown};
    threshold.Step(image, width, height);
    m_settings.m_nThreshold = threshold.nValue;
    m_nThresholdCountdown = threshold.nCountdown;
    if (!m_pCameraCalibration)
        return;
    TrackFrame(image, threshold.ForDetection(), m_trackers, m_patternRegistry,
               m_settings.m_bRecordRelations);
}
