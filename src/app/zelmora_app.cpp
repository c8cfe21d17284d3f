#include "app/zelmora_app.h"

#include "app/main_frame.h"
#include "app/qt_messages.h"
#include "app/zelmora_doc.h"
#include "view/zelmora_view.h"

#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

namespace
{
constexpr int kDefaultScreenshotDelayMs = 3000;
} // namespace

void SetApplicationNames()
{
    QCoreApplication::setOrganizationName(
        "Aplicaciones generadas con el Asistente para aplicaciones local");
    QCoreApplication::setApplicationName("Zelmora");
    QCoreApplication::setApplicationVersion(ZELMORA_VERSION);
}

CZelmoraApp::CZelmoraApp(int& argc, char** argv) : QApplication(argc, argv)
{
    SetApplicationNames();
}

CZelmoraApp::~CZelmoraApp()
{
    m_pFrame.reset();
    SetUserMessages(nullptr);
}

bool CZelmoraApp::InitInstance()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Zelmora: autoría y vista previa de realidad aumentada con marcadores.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("PROYECTO", "Proyecto que se abre al empezar.", "[PROYECTO]");
    const QCommandLineOption capture(
        "capture", "Empieza la captura (\"Capturar\") en cuanto la ventana está abierta.");
    QCommandLineOption screenshot("screenshot",
                                  "Guarda una imagen de la ventana en FICHERO y termina.",
                                  "FICHERO");
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption screenshotDelay("screenshot-delay", "Milisegundos antes de la imagen.",
                                       "MS", QString::number(kDefaultScreenshotDelayMs));
    screenshotDelay.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({capture, screenshot, screenshotDelay});
    parser.process(*this);
    if (parser.positionalArguments().size() > 1)
    {
        qCritical("zelmora: un solo proyecto, por favor (%s)",
                  qPrintable(parser.positionalArguments().join(' ')));
        return false;
    }
    m_strProject = parser.positionalArguments().value(0);
    m_bCapture = parser.isSet(capture);
    m_strScreenshot = parser.value(screenshot);
    m_nScreenshotDelayMs = parser.value(screenshotDelay).toInt();

    m_pMessages = std::make_unique<CQtMessages>();
    SetUserMessages(m_pMessages.get());
    m_pDoc = std::make_unique<CZelmoraDoc>();
    m_pDoc->OnNewDocument();
    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc);
    // The project and the run need the view's OpenGL context, which exists
    // once the window is on screen.
    connect(m_pFrame->View(), &COpenGLWnd::Initialized, this, &CZelmoraApp::StartUp,
            Qt::QueuedConnection);
    // Without a window manager nobody maximizes the window: start at the
    // screen's size so it fills the screen either way.
    m_pFrame->setGeometry(primaryScreen()->availableGeometry());
    m_pFrame->showMaximized();
    return true;
}

void CZelmoraApp::StartUp()
{
    disconnect(m_pFrame->View(), &COpenGLWnd::Initialized, this, &CZelmoraApp::StartUp);
    // A project that cannot be opened is reported; the window goes on with
    // a new one.
    if (!m_strProject.isEmpty())
        m_pFrame->OpenProjectFile(m_strProject);
    if (m_bCapture)
        m_pFrame->OnCapture();
    if (!m_strScreenshot.isEmpty())
        QTimer::singleShot(m_nScreenshotDelayMs, this, [this] {
            if (!m_pFrame->Snapshot().save(m_strScreenshot))
                qCritical("zelmora: no se puede escribir %s", qPrintable(m_strScreenshot));
            quit();
        });
}
