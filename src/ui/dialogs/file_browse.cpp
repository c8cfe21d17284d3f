#include "ui/dialogs/file_browse.h"

#include "document/project_paths.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>

void BrowseForFile(QLineEdit* field, const std::string& projectDir, const QStringList& nameFilters)
{
    QFileDialog dialog(field->window(), QCoreApplication::translate("FileBrowse", "Abrir"));
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name that does not exist yet is accepted, as when typed; loading
    // reports it later.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    const std::string current = ResolveProjectPath(field->text().toStdString(), projectDir);
    if (!current.empty())
        dialog.selectFile(QString::fromStdString(current));
    else if (!projectDir.empty())
        dialog.setDirectory(QString::fromStdString(projectDir));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const std::string chosen = dialog.selectedFiles().first().toStdString();
    field->setText(QString::fromStdString(ProjectRelativePath(chosen, projectDir)));
}
