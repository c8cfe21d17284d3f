#include "dialog_tests.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failures = 0;
    failures += RunGeneralPageTests(argc, argv);
    failures += RunEditDialogTests(argc, argv);
    failures += RunTrackerDialogTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
