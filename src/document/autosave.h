#pragma once
// The crash copy of a project with unsaved changes: where it goes, writing
// it, finding it at the next start, restoring it and removing it. Beside a
// saved project `dir/name` it is the hidden `dir/.name.autosave`, so the
// file names inside the project resolve against the same folder; a project
// never saved goes to the user's data folder, where its names resolve as
// they did (absolute ones as they are, relative ones against the folder
// the program was started in). The window owns the timer. GUI thread: the
// copy is the document serialized as it stands.

#include <QString>

#include <string>

class CZelmoraDoc;

// The copy of the project saved as `projectPath`, or of the never-saved
// project when `projectPath` is empty.
QString AutosavePath(const QString& projectPath);

// Writes the document to its copy through the atomic writer. The document
// is neither marked saved nor moved: its path and folder stay. False with
// the reason in *error; the document is untouched either way.
bool WriteAutosave(CZelmoraDoc& doc, const QString& projectPath, std::string* error);

// A copy worth offering: it exists and is newer than the project (or the
// project is gone, or was never saved).
bool HasNewerAutosave(const QString& projectPath);

// Takes the copy's content as the project's unsaved state: the project's
// path and folder stay `projectPath`'s and the document is marked modified.
// A damaged copy is refused with the reason in *error and changes nothing.
bool RestoreAutosave(CZelmoraDoc& doc, const QString& projectPath, std::string* error);

// Deletes the copy; nothing happens when there is none.
void RemoveAutosave(const QString& projectPath);

// Moves a damaged copy out of the way, so it is neither offered again nor
// lost to a look by hand; returns its new name, or an empty one when it
// could only be deleted.
QString SetAutosaveAside(const QString& projectPath);
