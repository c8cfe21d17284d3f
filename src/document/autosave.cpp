#include "document/autosave.h"

#include "document/zelmora_doc.h"
#include "formats/archive.h"
#include "formats/project_file.h"
#include "imaging/replace_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <exception>

namespace
{
constexpr const char* kUntitledCopy = "sin-titulo.zel.autosave";
constexpr const char* kCopySuffix = ".autosave";
constexpr const char* kAsideSuffix = ".danada";

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The archive names the project file itself, so a restored project keeps
// its folder; a never-saved one has none.
std::string ArchivePath(const QString& projectPath)
{
    return projectPath.isEmpty() ? std::string() : AbsoluteProjectPath(LocalPath(projectPath));
}
} // namespace

QString AutosavePath(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/" +
               kUntitledCopy;
    const QFileInfo project(projectPath);
    return project.absolutePath() + "/." + project.fileName() + kCopySuffix;
}

bool WriteAutosave(CZelmoraDoc& doc, const QString& projectPath, std::string* error)
{
    const QString copy = AutosavePath(projectPath);
    // The data folder may not exist yet; a project's folder that vanished
    // is not made again behind the user's back.
    if (projectPath.isEmpty() && !QDir().mkpath(QFileInfo(copy).absolutePath()))
    {
        if (error)
            *error = LocalPath(copy) + ": cannot create its folder";
        return false;
    }
    try
    {
        CArchive ar;
        ar.SetFilePath(ArchivePath(projectPath));
        doc.Serialize(ar);
        return ReplaceFile(LocalPath(copy), ar.Bytes(), "backup copy", error);
    }
    catch (const std::exception& e)
    {
        if (error)
            *error = LocalPath(copy) + ": " + e.what();
        return false;
    }
}

bool HasNewerAutosave(const QString& projectPath)
{
    const QFileInfo copy(AutosavePath(projectPath));
    if (!copy.isFile())
        return false;
    const QFileInfo project(projectPath);
    // Equal times count as newer: a save removes the copy, so a copy as old
    // as the project was written after it within the clock's resolution.
    return projectPath.isEmpty() || !project.exists() ||
           copy.lastModified() >= project.lastModified();
}

bool RestoreAutosave(CZelmoraDoc& doc, const QString& projectPath, std::string* error)
{
    const std::string copy = LocalPath(AutosavePath(projectPath));
    try
    {
        CArchive ar(ReadProjectFile(copy));
        ar.SetFilePath(ArchivePath(projectPath));
        doc.Serialize(ar);
    }
    catch (const std::exception& e)
    {
        if (error)
            *error = copy + ": " + e.what();
        return false;
    }
    doc.SetModifiedFlag(true);
    return true;
}

void RemoveAutosave(const QString& projectPath)
{
    QFile::remove(AutosavePath(projectPath));
}

QString SetAutosaveAside(const QString& projectPath)
{
    const QString copy = AutosavePath(projectPath);
    const QString aside = copy + kAsideSuffix;
    QFile::remove(aside);
    if (QFile::rename(copy, aside))
        return aside;
    QFile::remove(copy);
    return QString();
}
