#pragma once
// Message texts for ShowMessage, which takes UTF-8: the template goes through
// QCoreApplication::translate at the call, where lupdate finds it, and its
// %1, %2 are filled here from UTF-8 parts. GUI thread.

#include <QString>

#include <string>
#include <vector>

std::string Said(const QString& text, const std::vector<std::string>& parts = {});
