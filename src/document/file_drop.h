#pragma once
// Files dropped on the window, decided without the window: what each file
// is, whether every one of them can be used, and the trackers the project
// has once they are added. A drop is all or nothing: one file that cannot
// be used refuses the whole drop, by its name, before anything is written.

#include "imaging/bgra_image.h"
#include "project/tracker.h"

#include <functional>
#include <list>
#include <string>
#include <vector>

enum class DroppedFileKind
{
    Model,   // any format the model loader reads
    Pattern, // a pattern file
    Picture, // PNG, JPEG or BMP: made into a marker
    Project, // opened in place of the current project
    Unknown,
};

// Told from the first bytes, then the name: a picture or a model by its
// signature or extension, a pattern by ".patt"/".pat" or a text of bare
// numbers, a project by ".zel" or by having no extension at all (the file
// dialogs add none). A folder, a missing file or anything else is Unknown.
DroppedFileKind ClassifyDroppedFile(const std::string& path);

// Writes the pattern file and the printable PNG of the marker made from a
// picture; false with a reason. The marker maker lies above the document,
// so the window hands it in.
using MarkerMaker = std::function<bool(const BgraImage& picture, const std::string& patternPath,
                                       const std::string& imagePath, std::string* error)>;

struct FileDropPlan
{
    enum class Outcome
    {
        Refused,     // `message` says which file and why; nothing was written
        OpenProject, // `projectPath` is to be opened, after the save prompt
        Edit,        // `trackers` is the project with the files added
    };
    Outcome outcome = Outcome::Refused;
    std::string message;
    std::string projectPath;
    std::list<CTracker> trackers;
    std::vector<std::string> warnings; // to say once the edit is made
};

// Models and patterns go to the tracker at list position `selectedTracker`,
// or to one new tracker when that is -1 (or no tracker). Patterns come
// first, so a model dropped together with its marker stands on it; a
// tracker without a reference pattern takes the first one added. A model is
// fitted to the reference's width, or to a new pattern's when there is none.
// Pictures need the project's folder (`projectDir`, empty for a project
// never saved): their marker files are written there under free names.
FileDropPlan PlanFileDrop(const std::vector<std::string>& paths,
                          const std::list<CTracker>& trackers, int selectedTracker,
                          const std::string& projectDir, const MarkerMaker& makeMarker);
