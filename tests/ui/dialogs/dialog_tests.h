#pragma once
// The suites of dialog_tests, run one after the other by its main.

#include "qt_test_suite.h"

int RunGeneralPageTests(int argc, char** argv);
int RunEditDialogTests(int argc, char** argv);
int RunTrackerDialogTests(int argc, char** argv);
