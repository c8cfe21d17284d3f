#include "ui/shell/zelmora_app.h"

#include "document/zelmora_doc.h"
#include "ui/shell/app_language.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/qt_messages.h"
#include "ui/view/zelmora_view.h"

#include <QCommandLineParser>
#include <QScreen>

#include <cstdio>

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

namespace
{
const QCommandLineOption kHelp({"h", "help"}, "Muestra esta ayuda.");
const QCommandLineOption kVersion({"v", "version"}, "Muestra la versión.");
const QCommandLineOption
    kCapture("capture", "Empieza la captura (\"Capturar\") en cuanto la ventana está abierta.");
const QCommandLineOption
    kLanguage("lang",
              "Idioma de la ventana: es (español) o en (inglés). Sin esta "
              "opción, el del sistema (LANG): inglés si es en_*, si no español.",
              "es|en");

void DescribeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        "Zelmora: autoría y vista previa de realidad aumentada con marcadores.");
    parser.addPositionalArgument("PROYECTO", "Proyecto que se abre al empezar.", "[PROYECTO]");
    parser.addOptions({kHelp, kVersion, kCapture, kLanguage});
}
} // namespace

int HandleCommandLineAlone(int argc, char** argv)
{
    SetApplicationNames();
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    if (!parser.parse(arguments) || parser.positionalArguments().size() > 1)
    {
        const QString error =
            parser.errorText().isEmpty() ? "un solo proyecto, por favor" : parser.errorText();
        std::fprintf(stderr, "zelmora: %s (zelmora --help)\n", qPrintable(error));
        return 2;
    }
    AppLanguage language = AppLanguage::Spanish;
    if (parser.isSet(kLanguage) && !ParseLanguage(parser.value(kLanguage), &language))
    {
        std::fprintf(stderr, "zelmora: idioma desconocido '%s': es o en (zelmora --help)\n",
                     qPrintable(parser.value(kLanguage)));
        return 2;
    }
    if (parser.isSet(kHelp))
    {
        QString help = parser.helpText();
        // Qt's own headings are in English; the rest of the program is not.
        help.replace("<executable_name>", "zelmora")
            .replace("Usage:", "Uso:")
            .replace("[options]", "[opciones]")
            .replace("Options:", "Opciones:")
            .replace("Arguments:", "Argumentos:");
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(kVersion))
    {
        std::printf("zelmora %s\n", ZELMORA_VERSION);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    {
        std::fprintf(stderr, "zelmora: no hay pantalla donde abrir la ventana (DISPLAY y "
                             "WAYLAND_DISPLAY no están definidas)\n");
        return 1;
    }
    return -1;
}

AppLanguage ChosenLanguage(const QStringList& arguments)
{
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    AppLanguage language = SystemLanguage();
    if (parser.parse(arguments) && parser.isSet(kLanguage))
        ParseLanguage(parser.value(kLanguage), &language);
    return language;
}

bool CZelmoraApp::InitInstance()
{
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // Mistakes were reported before the application was made.
    if (!parser.parse(arguments()))
        return false;
    m_strProject = parser.positionalArguments().value(0);
    m_bCapture = parser.isSet(kCapture);
    // Every text of the window is translated as it is made: before the window.
    if (!InstallLanguage(ChosenLanguage(arguments())))
        std::fprintf(stderr, "zelmora: falta la traducción al inglés; la ventana sigue en "
                             "español\n");

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
    // a new one. Either way a crash copy left behind is offered (an opened
    // project's is offered as it opens).
    if (m_strProject.isEmpty())
        m_pFrame->OfferRestore(QString());
    else if (!m_pFrame->OpenProjectFile(m_strProject))
        m_pFrame->OfferRestore(m_strProject);
    if (m_bCapture)
        m_pFrame->OnCapture();
}
