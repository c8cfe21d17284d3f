// The window's Qt Test programs share one executable; the first argument
// names the suite, so CTest lists and runs them apart. Settings (the
// recent-file list) go to a scratch folder, never the user's own.
#include "ui/shell/zelmora_app.h"
#include "window_tests.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

int main(int argc, char** argv)
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    // Crash copies of never-saved projects and the demo go there too.
    qputenv("XDG_DATA_HOME", settings.path().toUtf8());
    QApplication app(argc, argv);
    SetApplicationNames();
    if (argc < 2)
        return 2;
    const char* suite = argv[1];
    // QTest reads the remaining arguments (test functions, -o ...).
    argv[1] = argv[0];
    if (std::strcmp(suite, "view") == 0)
        return RunViewTests(argc - 1, argv + 1);
    if (std::strcmp(suite, "frame") == 0)
        return RunMainFrameTests(argc - 1, argv + 1);
    if (std::strcmp(suite, "navigator") == 0)
        return RunNavigatorTests(argc - 1, argv + 1);
    if (std::strcmp(suite, "demo") == 0)
        return RunDemoWindowTests(argc - 1, argv + 1);
    if (std::strcmp(suite, "english") == 0)
        return RunEnglishWindowTests(argc - 1, argv + 1);
    if (std::strcmp(suite, "drop") == 0)
        return RunDropTests(argc - 1, argv + 1);
    if (std::strcmp(suite, "autosave") == 0)
        return RunAutosaveWindowTests(argc - 1, argv + 1);
    return 2;
}
