#include "cli/cli_commands.h"

#include "formats/project_file.h"
#include "document/zelmora_doc.h"
#include "cli/project_json.h"

#include <iostream>
#include <memory>

namespace
{
// Reading or rewriting a project needs none of its pattern or model files.
void OpenOrFail(CZelmoraDoc& doc, const std::string& path)
{
    std::string error;
    if (!doc.OpenProject(path, &error, false))
        throw CommandFailure(error);
}

void SaveOrFail(CZelmoraDoc& doc, const std::string& path)
{
    std::string error;
    if (!doc.SaveProject(path, &error))
        throw CommandFailure(error);
}
} // namespace

void RegisterProjectCommands(CLI::App& app)
{
    CLI::App* project = app.add_subcommand("project", "Create, inspect and rewrite project files");
    project->require_subcommand(1);

    auto* newCommand = project->add_subcommand("new", "Write a new, empty project");
    auto newPath = std::make_shared<std::string>();
    newCommand->add_option("FILE", *newPath, "Project file to write")->required();
    newCommand->callback([newPath] {
        CZelmoraDoc doc;
        doc.OnNewDocument();
        SaveOrFail(doc, *newPath);
    });

    auto* show = project->add_subcommand("show", "Print a project as JSON");
    auto showPath = std::make_shared<std::string>();
    show->add_option("FILE", *showPath, "Project file to read")->required();
    show->callback([showPath] {
        CZelmoraDoc doc;
        doc.OnNewDocument();
        OpenOrFail(doc, *showPath);
        std::cout << ProjectToJson(doc).dump(2) << '\n';
    });

    auto* resave = project->add_subcommand("resave", "Load a project and save it again");
    auto paths = std::make_shared<std::pair<std::string, std::string>>();
    resave->add_option("IN", paths->first, "Project file to read")->required();
    resave->add_option("OUT", paths->second, "Project file to write")->required();
    resave->callback([paths] {
        CZelmoraDoc doc;
        doc.OnNewDocument();
        // The output name is taken before loading moves the current directory.
        const std::string out = AbsoluteProjectPath(paths->second);
        OpenOrFail(doc, paths->first);
        SaveOrFail(doc, out);
    });
}
