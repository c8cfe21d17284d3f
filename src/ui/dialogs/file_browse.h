#pragma once
// The "..." buttons: a file-open dialog that starts at the field's file and
// puts the chosen file back in the field as the project stores it.

#include <string>

class QLineEdit;

// Cancel leaves the field as it was.
void BrowseForFile(QLineEdit* field, const std::string& projectDir);
