#pragma once
// Translation of what core code reports through CUserMessages. The document
// translates its own sentences; the layers below it build without Qt and
// compose a few Spanish texts of their own (the video source's and the
// recorder's errors), often inside a document sentence. Those are looked up
// here, where messages are shown. GUI thread.

#include <QString>

#include <string>

// `text` in the window's language: each line whole, else every known lower
// layer sentence within it, with the variable parts of a template (a file
// name, a size) carried over.
QString TranslatedMessage(const std::string& text);
