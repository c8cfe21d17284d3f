#pragma once
// Entry points of the window's test suites and what they share: a project
// with a test-pattern video and a camera, and message boxes answered by
// the test.

#include "ui/shell/main_frame.h"
#include "document/zelmora_doc.h"
#include "ui/dialogs/qt_test_suite.h"
#include "support/project_fixture.h"
#include "support/recording_messages.h"
#include "ui/view/viewport_layout.h"

#include <QColor>
#include <QObject>
#include <QPoint>

#include <memory>

int RunViewTests(int argc, char** argv);
int RunMainFrameTests(int argc, char** argv);
int RunNavigatorTests(int argc, char** argv);
int RunDemoWindowTests(int argc, char** argv);
int RunEnglishWindowTests(int argc, char** argv);
int RunDropTests(int argc, char** argv);
int RunAutosaveWindowTests(int argc, char** argv);

// Writes into `folder` a 64 x 48 test-pattern video configuration "v.cfg"
// (or `pipeline` instead), a camera "c.dat" for it and an empty project
// "p.zel" using both; returns the project's path.
std::string WriteVideoProject(const ScratchFolder& folder,
                              const std::string& pipeline = kTestVideoPipeline);

// A main window shown on its own new document, with a scratch folder and
// recorded messages; the window goes first when it is torn down.
struct CWindowUnderTest
{
    ~CWindowUnderTest() { m_pFrame.reset(); }
    // Shows the window and waits until it is on screen, active and its view
    // has its OpenGL context; false when that never happens.
    bool Show(int width, int height);

    ScratchFolder m_folder;
    RecordingMessages m_messages;
    CZelmoraDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

// The base of the window test classes: a window their init makes afresh for
// every test, and what the tests read from it.
class CWindowTest : public QObject
{
  protected:
    CMainFrame* Frame() { return m_pWindow->m_pFrame.get(); }
    CZelmoraDoc& Doc() { return m_pWindow->m_doc; }
    RecordingMessages& Messages() { return m_pWindow->m_messages; }
    ScratchFolder& Folder() { return m_pWindow->m_folder; }
    QString Path(const char* name) { return QString::fromStdString(Folder().Path(name)); }

    // With ZELMORA_README_PICTURES naming a folder (scripts/screenshot.sh),
    // saves the window there as `name` for the README; true otherwise too.
    bool SaveReadmePicture(const char* name);

    std::unique_ptr<CWindowUnderTest> m_pWindow;
};

// Where a picture `height` pixels tall shows (right, up), in -1..1 units of
// the view square `rect` (counted from the bottom); y counted from the top.
QPoint InQuadrant(const CGlRect& rect, int height, double right, double up);
// Colours within a few levels of each other in every channel.
bool Near(QColor seen, QColor expected);
