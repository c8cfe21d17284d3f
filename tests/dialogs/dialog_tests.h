#pragma once
// The suites of dialog_tests, run one after the other by its main.

int RunGeneralPageTests(int argc, char** argv);
int RunEditDialogTests(int argc, char** argv);
int RunTrackerDialogTests(int argc, char** argv);
