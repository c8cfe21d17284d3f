#include "document/file_drop.h"

#include "document/pattern_warnings.h"
#include "document/project_paths.h"
#include "document/zelmora_doc.h"
#include "imaging/image_file.h"
#include "imaging/image_io.h"
#include "models/model_facts.h"
#include "models/model_format.h"
#include "project/list_position.h"
#include "project/placement.h"
#include "render/scene.h"
#include "tracking/pattern_file.h"
#include "tracking/regular_file.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
// Every signature, and the first lines the text formats are told by.
constexpr size_t kHeadBytes = 4096;
// Beyond this many taken names in the project's folder something else is
// wrong; the drop is refused rather than searching on.
constexpr int kMaxNameTries = 1000;

std::string Extension(const std::string& path)
{
    std::string extension = fs::path(path).extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

std::string Head(const std::string& path)
{
    if (!IsRegularFile(path.c_str()))
        return std::string();
    std::ifstream in(path, std::ios::binary);
    std::string head(kHeadBytes, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    head.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

bool IsPicture(const std::string& head, const std::string& extension)
{
    return HasImageSignature(head) || extension == "png" || extension == "jpg" ||
           extension == "jpeg" || extension == "bmp";
}

// A pattern file is nothing but decimal values and white space.
bool LooksLikePatternText(const std::string& head)
{
    return std::any_of(head.begin(), head.end(), [](unsigned char c) { return std::isdigit(c); }) &&
           std::all_of(head.begin(), head.end(),
                       [](unsigned char c) { return std::isdigit(c) || std::isspace(c); });
}

struct DroppedFile
{
    std::string path;
    DroppedFileKind kind = DroppedFileKind::Unknown;
    ModelFacts facts;  // a model's
    BgraImage picture; // a picture's
};

std::string FileName(const std::string& path)
{
    return fs::path(path).filename().string();
}

std::string Refusal(const std::string& path, std::string cause)
{
    while (!cause.empty() && (cause.back() == '.' || cause.back() == '\n'))
        cause.pop_back();
    return QCoreApplication::translate("FileDrop",
                                       "No se puede usar '%1': %2. No se ha cambiado nada.")
        .arg(QString::fromStdString(FileName(path)), QString::fromStdString(cause))
        .toStdString();
}

std::string PatternFileCause(PatternFileStatus status, int valuesRead)
{
    if (status == PatternFileStatus::CannotOpen)
        return QCoreApplication::translate("FileDrop", "no se puede leer").toStdString();
    return QCoreApplication::translate(
               "FileDrop",
               "no es un fichero de patrón válido (el valor %1 de %2 falta o no es un entero de 0 "
               "a 255)")
        .arg(valuesRead + 1)
        .arg(kPatternOrientations * kPatternValues)
        .toStdString();
}

// Loads what the drop needs of the file, which also proves it usable;
// false with the whole refusal in *message.
bool ReadDroppedFile(DroppedFile& file, bool bAlone, const std::string& projectDir,
                     std::string* message)
{
    std::string cause;
    if (!IsRegularFile(file.path.c_str()))
        cause =
            QCoreApplication::translate("FileDrop", "no existe o no es un fichero").toStdString();
    else if (file.kind == DroppedFileKind::Model)
        ReadModelFacts(file.path, ModelDirectory(file.path), &file.facts, &cause);
    else if (file.kind == DroppedFileKind::Pattern)
    {
        unsigned char blocks[kPatternOrientations][kPatternValues];
        int valuesRead = 0;
        const PatternFileStatus status = readPatternFile(file.path.c_str(), blocks, &valuesRead);
        if (status != PatternFileStatus::Ok)
            cause = PatternFileCause(status, valuesRead);
    }
    else if (file.kind == DroppedFileKind::Picture)
    {
        if (projectDir.empty())
        {
            *message = QCoreApplication::translate(
                           "FileDrop",
                           "Guarde el proyecto antes de convertir '%1' en un marcador: su patrón y "
                           "su imagen imprimible se escriben en la carpeta del proyecto. No se ha "
                           "cambiado nada.")
                           .arg(QString::fromStdString(FileName(file.path)))
                           .toStdString();
            return false;
        }
        std::string error;
        if (!ReadImageFile(file.path, &file.picture, &error))
        {
            // The reader names the whole path first; the message names the file.
            const std::string prefix = file.path + ": ";
            cause =
                error.compare(0, prefix.size(), prefix) == 0 ? error.substr(prefix.size()) : error;
        }
    }
    else if (file.kind == DroppedFileKind::Project && !bAlone)
        cause = QCoreApplication::translate("FileDrop",
                                            "un proyecto se abre solo: suéltelo sin otros ficheros")
                    .toStdString();
    else if (file.kind == DroppedFileKind::Unknown)
        cause =
            QCoreApplication::translate(
                "FileDrop", "no es un modelo 3D, un fichero de patrón, una imagen ni un proyecto")
                .toStdString();
    if (cause.empty())
        return true;
    *message = Refusal(file.path, cause);
    return false;
}

bool Taken(const std::string& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

// "foto.patt" and "foto-marcador.png", or the first "foto-N" pair of which
// neither file exists yet: nothing in the folder is overwritten.
bool FreeMarkerNames(const std::string& projectDir, const std::string& stem,
                     std::string* patternPath, std::string* imagePath)
{
    for (int n = 1; n <= kMaxNameTries; ++n)
    {
        const std::string name = n == 1 ? stem : stem + "-" + std::to_string(n);
        *patternPath = ResolveProjectPath(name + ".patt", projectDir);
        *imagePath = ResolveProjectPath(name + "-marcador.png", projectDir);
        if (!Taken(*patternPath) && !Taken(*imagePath))
            return true;
    }
    return false;
}

std::string Stem(const std::string& path)
{
    return fs::path(path).stem().string();
}

class CDropBuilder
{
  public:
    CDropBuilder(FileDropPlan& plan, CTracker& tracker, const std::string& projectDir)
        : m_plan(plan), m_tracker(tracker), m_strProjectDir(projectDir)
    {
    }
    ~CDropBuilder()
    {
        // A drop refused halfway takes back the marker files it wrote.
        if (m_plan.outcome != FileDropPlan::Outcome::Edit)
            for (const std::string& path : m_written)
                fs::remove(path, m_error);
    }

    bool AddPattern(const DroppedFile& file, const MarkerMaker& makeMarker)
    {
        CPattern pattern;
        pattern.m_strName = Stem(file.path);
        std::string patternPath = file.path;
        if (file.kind == DroppedFileKind::Picture)
        {
            std::string imagePath, error;
            if (!FreeMarkerNames(m_strProjectDir, Stem(file.path), &patternPath, &imagePath))
                error = QCoreApplication::translate(
                            "FileDrop", "no queda un nombre libre en la carpeta del proyecto")
                            .toStdString();
            else
            {
                m_written.push_back(patternPath);
                m_written.push_back(imagePath);
                makeMarker(file.picture, patternPath, imagePath, &error);
            }
            if (!error.empty())
            {
                m_plan.message = Refusal(file.path, error);
                return false;
            }
        }
        pattern.m_strFile = ProjectRelativePath(patternPath, m_strProjectDir);
        m_tracker.m_patterns.push_back(pattern);
        if (!m_tracker.HasReference())
            m_tracker.m_posReference = std::prev(m_tracker.m_patterns.end());
        const std::string warnings =
            NewPatternWarnings(m_tracker.m_patterns.back(), m_tracker.m_patterns, m_strProjectDir);
        if (!warnings.empty())
            m_plan.warnings.push_back(warnings);
        return true;
    }

    void AddModel(const DroppedFile& file)
    {
        const double width =
            m_tracker.HasReference() ? m_tracker.ReferenceWidth() : CPattern().m_nWidth;
        CModel3D model;
        model.m_strName = Stem(file.path);
        model.m_strFile = ProjectRelativePath(file.path, m_strProjectDir);
        model.m_matrix = FitOnMarker(file.facts.box, file.facts.bYUp, width);
        m_tracker.m_models.push_back(model);
    }

  private:
    FileDropPlan& m_plan;
    CTracker& m_tracker;
    const std::string& m_strProjectDir;
    std::vector<std::string> m_written;
    std::error_code m_error;
};
} // namespace

DroppedFileKind ClassifyDroppedFile(const std::string& path)
{
    const std::string extension = Extension(path);
    if (extension == "zel")
        return DroppedFileKind::Project;
    if (!IsRegularFile(path.c_str()))
        return DroppedFileKind::Unknown;
    const std::string head = Head(path);
    if (IsPicture(head, extension))
        return DroppedFileKind::Picture;
    const ModelFormat format = SniffModelFormat(head, FileName(path));
    if (ContentShowsFormat(head, format))
        return DroppedFileKind::Model;
    if (extension == "patt" || extension == "pat" || LooksLikePatternText(head))
        return DroppedFileKind::Pattern;
    if (format != ModelFormat::Unknown)
        return DroppedFileKind::Model;
    return extension.empty() ? DroppedFileKind::Project : DroppedFileKind::Unknown;
}

FileDropPlan PlanFileDrop(const std::vector<std::string>& paths,
                          const std::list<CTracker>& trackers, int selectedTracker,
                          const std::string& projectDir, const MarkerMaker& makeMarker)
{
    FileDropPlan plan;
    if (paths.empty())
    {
        plan.message = QCoreApplication::translate("FileDrop", "No se ha soltado ningún fichero.")
                           .toStdString();
        return plan;
    }
    std::vector<DroppedFile> files;
    for (const std::string& path : paths)
        files.push_back({path, ClassifyDroppedFile(path), {}, {}});
    if (files.size() == 1 && files.front().kind == DroppedFileKind::Project)
    {
        plan.outcome = FileDropPlan::Outcome::OpenProject;
        plan.projectPath = files.front().path;
        return plan;
    }
    for (DroppedFile& file : files)
        if (!ReadDroppedFile(file, files.size() == 1, projectDir, &plan.message))
            return plan;

    CZelmoraDoc::CopyTrackers(plan.trackers, trackers);
    CTracker* tracker = ItemAt(plan.trackers, selectedTracker);
    if (!tracker)
    {
        // A new tracker is named after what made it, so the tree shows no blank row.
        tracker = &plan.trackers.emplace_back();
        tracker->m_strName = Stem(files.front().path);
    }
    CDropBuilder builder(plan, *tracker, projectDir);
    for (const DroppedFile& file : files)
        if ((file.kind == DroppedFileKind::Pattern || file.kind == DroppedFileKind::Picture) &&
            !builder.AddPattern(file, makeMarker))
        {
            plan.trackers.clear();
            plan.warnings.clear();
            return plan;
        }
    for (const DroppedFile& file : files)
        if (file.kind == DroppedFileKind::Model)
            builder.AddModel(file);
    plan.outcome = FileDropPlan::Outcome::Edit;
    return plan;
}
