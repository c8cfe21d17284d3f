#pragma once
// The application: the settings' names, the one document and the main
// window, and what the command line asks for once the window is up.

#include "ui/shell/app_language.h"

#include <QApplication>

#include <memory>

class CMainFrame;
class CQtMessages;
class CZelmoraDoc;

class CZelmoraApp : public QApplication
{
    Q_OBJECT
  public:
    CZelmoraApp(int& argc, char** argv);
    ~CZelmoraApp() override;

    // Parses the command line and shows the maximized window; false when
    // the program should end at once (a bad command line).
    bool InitInstance();

    CMainFrame* MainFrame() const { return m_pFrame.get(); }

  private:
    void StartUp();

    std::unique_ptr<CQtMessages> m_pMessages;
    std::unique_ptr<CZelmoraDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    QString m_strProject;
    bool m_bCapture = false;
};

// Names the settings are kept under, for the application and its tests.
void SetApplicationNames();

// What the command line settles before any window (or display) is needed:
// `--help`, `--version`, a mistake, no display to open a window on. Returns
// the program's exit status then, or -1 to go on and open the window.
int HandleCommandLineAlone(int argc, char** argv);

// The window's language for a command line HandleCommandLineAlone let
// through: `--lang` when given, else the system's.
AppLanguage ChosenLanguage(const QStringList& arguments);
