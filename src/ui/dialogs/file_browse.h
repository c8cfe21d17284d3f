#pragma once
// The "..." buttons: a file-open dialog that starts at the field's file and
// puts the chosen file back in the field as the project stores it.

#include <QStringList>

#include <string>

class QLineEdit;

// Cancel leaves the field as it was. nameFilters, when given, are the
// dialog's file-type choices, the first one selected.
void BrowseForFile(QLineEdit* field, const std::string& projectDir,
                   const QStringList& nameFilters = {});
