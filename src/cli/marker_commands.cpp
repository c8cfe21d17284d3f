#include "cli/cli_commands.h"

#include "demo/marker_files.h"
#include "demo/marker_image.h"
#include "imaging/image_file.h"
#include "tracking/pattern_file.h"
#include "tracking/pattern_quality.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct MakeOptions
{
    std::string picture;
    std::string pattern;
    std::string image;
    int squareSide = kDefaultMarkerSidePx;
    std::vector<std::string> against;
};

struct DrawOptions
{
    std::string pattern;
    std::string image;
    int squareSide = kDefaultMarkerSidePx;
};

CLI::Option* AddSizeOption(CLI::App* command, int* squareSide)
{
    return command
        ->add_option("--size", *squareSide,
                     "Side of the black square in pixels, a multiple of 32 (default 512)")
        ->check(CLI::Range(2 * kMarkerSideStepPx, 8192))
        ->check(CLI::Validator(
            [](std::string& value)
            {
                return std::stoi(value) % kMarkerSideStepPx == 0
                           ? std::string()
                           : "must be a multiple of " + std::to_string(kMarkerSideStepPx);
            },
            "MULTIPLE OF 32"));
}

void WriteImageOrFail(const std::string& path, const BgraImage& image)
{
    std::string error;
    if (!WritePngFile(path, image, &error))
        throw CommandFailure(error);
}

PatternBlocks ReadPatternOrFail(const std::string& path)
{
    unsigned char blocks[kPatternOrientations][kPatternValues];
    int valuesRead = 0;
    switch (readPatternFile(path.c_str(), blocks, &valuesRead))
    {
    case PatternFileStatus::CannotOpen:
        throw CommandFailure(path + ": cannot open the pattern file");
    case PatternFileStatus::ReadError:
        throw CommandFailure(path + ": value " + std::to_string(valuesRead + 1) +
                             " of 3072 is missing or not an integer from 0 to 255");
    case PatternFileStatus::Ok:
        break;
    }
    PatternBlocks copy;
    for (int h = 0; h < kPatternOrientations; ++h)
        std::copy(blocks[h], blocks[h] + kPatternValues, copy[h].begin());
    return copy;
}

void MakeMarker(const MakeOptions& options)
{
    // The patterns to compare with are read first, so a bad one stops the
    // command before anything is written.
    std::vector<PatternBlocks> against;
    for (const std::string& path : options.against)
        against.push_back(ReadPatternOrFail(path));

    BgraImage source;
    std::string error;
    if (!ReadImageFile(options.picture, &source, &error))
        throw CommandFailure(error);

    if (!MakeMarkerFiles(source, options.squareSide, options.pattern, options.image, &error))
        throw CommandFailure(error);

    const PatternBlocks made = ReadPatternOrFail(options.pattern);
    for (const PatternWarning& warning : checkPattern(made[0].data(), against))
        std::fprintf(stderr, "warning: %s: %s\n", options.picture.c_str(),
                     patternWarningText(warning, warning.other >= 0 ? options.against[warning.other]
                                                                    : std::string())
                         .c_str());
}

void DrawPattern(const DrawOptions& options)
{
    const PatternBlocks blocks = ReadPatternOrFail(options.pattern);
    const MarkerLayout layout = MarkerLayoutFor(options.squareSide);
    WriteImageOrFail(options.image,
                     DrawMarker(CellsPicture(blocks[0].data(), layout.pictureSide), layout));
}
} // namespace

void RegisterMarkerCommands(CLI::App& app)
{
    CLI::App* marker =
        app.add_subcommand("marker", "Make printable markers and their pattern files");
    marker->require_subcommand(1);

    auto make = std::make_shared<MakeOptions>();
    CLI::App* makeCommand =
        marker->add_subcommand("make", "Turn a picture (PNG, JPEG or BMP) into a marker");
    makeCommand->add_option("PICTURE", make->picture, "Picture to put inside the border")
        ->required();
    makeCommand->add_option("--pattern", make->pattern, "Pattern file to write")->required();
    makeCommand->add_option("--image", make->image, "Printable marker to write (PNG)")->required();
    AddSizeOption(makeCommand, &make->squareSide);
    makeCommand->add_option("--against", make->against,
                            "Pattern files the new one must not be mistaken for");
    makeCommand->callback([make] { MakeMarker(*make); });

    auto draw = std::make_shared<DrawOptions>();
    CLI::App* drawCommand =
        marker->add_subcommand("draw", "Draw the printable marker of a pattern file");
    drawCommand->add_option("PATTERN", draw->pattern, "Pattern file to read")->required();
    drawCommand->add_option("OUT", draw->image, "Printable marker to write (PNG)")->required();
    AddSizeOption(drawCommand, &draw->squareSide);
    drawCommand->callback([draw] { DrawPattern(*draw); });
}
