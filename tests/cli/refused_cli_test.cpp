// Every refused zelmora-cli command, whatever its subcommand: exit status 1
// for a file it cannot use and 2 for bad usage, the reason on standard
// error, nothing on standard output, and every file left as it was.
#include "cli_runner.h"
#include "support/project_fixture.h"
#include "support/png_pictures.h"
#include "support/sample_3ds.h"
#include "synth/pattern_picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <map>
#include <ostream>
#include <sstream>

namespace
{
struct Refusal
{
    const char* name;
    int exitCode;
    const char* message;
    const char* commandLine; // split at spaces; "@" stands for the scratch folder
};

void PrintTo(const Refusal& c, std::ostream* os)
{
    *os << c.name;
}

// Every path under `folder` with its bytes (empty for a folder).
std::map<std::string, std::string> Contents(const std::string& folder)
{
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        contents[entry.path()] = entry.is_regular_file() ? ReadBytes(entry.path()) : "";
    return contents;
}

class RefusedCli : public testing::TestWithParam<Refusal>
{
  protected:
    // Good and damaged files of every kind, written once for all cases.
    static void SetUpTestSuite()
    {
        s_pFolder = new ScratchFolder;
        const std::string camera = Path("cam.dat");
        ASSERT_EQ(
            RunCli({"camera", "make", "--size", "640", "480", "--fov", "60", camera}).exitCode, 0);
        const std::string good = ReadBytes(camera);
        WriteBytes(Path("short.dat"), good.substr(0, 100));
        std::string zeroWidth = good;
        zeroWidth.replace(0, 4, std::string(4, '\0'));
        WriteBytes(Path("zero.dat"), zeroWidth);
        std::string notFinite = good;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (int i = 0; i < 8; ++i) // big-endian
            notFinite[8 + i] = reinterpret_cast<const char*>(&nan)[7 - i];
        WriteBytes(Path("nan.dat"), notFinite);

        ASSERT_TRUE(writePatternFile(Path("a.patt"), makeBlockPicture(21)));
        WriteBytes(Path("bad.patt"), "1 2 3\n");
        WritePng(Path("ok.png"), 64, 48,
                 [](int x, int y) {
                     return Rgba8{uint8_t(4 * x), uint8_t(5 * y), 90, 255};
                 });
        const std::string png = ReadBytes(Path("ok.png"));
        WriteBytes(Path("cut.png"), png.substr(0, png.size() / 2));

        Write3ds(RichScene(10), Path("rich.3ds"));
        WriteBytes(Path("cut.3ds"), ReadBytes(Path("rich.3ds")).substr(0, 100));

        WriteBytes(Path("short.zel"), std::string{'\x03', 'a', 'b'});
        CZelmoraDoc doc;
        doc.OnNewDocument();
        ASSERT_TRUE(doc.SaveProject(Path("empty.zel"), nullptr));
        std::string error;
        ASSERT_TRUE(UseTestVideo(*s_pFolder, doc, &error) && doc.SaveProject(Path("p.zel"), &error))
            << error;
    }
    static void TearDownTestSuite()
    {
        delete s_pFolder;
        s_pFolder = nullptr;
    }
    static std::string Path(const std::string& name) { return s_pFolder->Path(name); }

    static ScratchFolder* s_pFolder;
};
ScratchFolder* RefusedCli::s_pFolder = nullptr;
} // namespace

TEST_P(RefusedCli, SaysWhyAndWritesNothing)
{
    const auto before = Contents(s_pFolder->Path());
    std::vector<std::string> arguments;
    std::istringstream words(GetParam().commandLine);
    for (std::string word; words >> word;)
        arguments.push_back(word[0] == '@' ? Path(word.substr(1)) : word);
    const CliResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err;
    EXPECT_EQ(result.out, "");
    // A file refused gives its reason as the last line (a library's own
    // diagnostic may come before it); bad usage is followed by the usage.
    ASSERT_FALSE(result.err.empty());
    EXPECT_EQ(result.err.back(), '\n') << result.err;
    const size_t lastLine = result.err.rfind('\n', result.err.size() - 2);
    const std::string reason = GetParam().exitCode != 1 ? result.err
                               : result.err.substr(lastLine == std::string::npos ? 0 : lastLine + 1);
    EXPECT_NE(reason.find(GetParam().message), std::string::npos) << result.err;
    EXPECT_EQ(Contents(s_pFolder->Path()), before);
}

const Refusal kRefusals[] = {
    {"ProjectShowShort", 1, "short.zel: ", "project show @short.zel"},
    {"ProjectShowMissing", 1, "missing.zel", "project show @missing.zel"},
    {"ProjectShowNoFile", 2, "", "project show"},
    {"ProjectUnknownCommand", 2, "", "project frobnicate"},
    {"NoCommand", 2, "", ""},
    {"CameraShowMissing", 1, "missing.dat: No such file", "camera show @missing.dat"},
    {"CameraShowShort", 1, "short.dat: shorter than a 136-byte", "camera show @short.dat"},
    {"CameraShowZeroWidth", 1, "not positive", "camera show @zero.dat"},
    {"CameraShowNotFinite", 1, "not finite", "camera show @nan.dat"},
    {"CameraShowAbsurdSize", 2, "", "camera show @cam.dat --size -1 240"},
    {"CameraMakeNoLens", 2, "", "camera make --size 640 480 @x.dat"},
    {"CameraMakeFovAndFocal", 2, "", "camera make --size 640 480 --fov 60 --focal 500 @x.dat"},
    {"CameraMakeZeroWidth", 2, "", "camera make --size 0 480 --fov 60 @x.dat"},
    {"CameraMakeFov180", 2, "", "camera make --size 640 480 --fov 180 @x.dat"},
    {"CameraMakeFovNan", 2, "", "camera make --size 640 480 --fov nan @x.dat"},
    {"CameraMakeNegativeFocal", 2, "", "camera make --size 640 480 --focal -5 @x.dat"},
    {"CameraMakeInfiniteCentre", 2, "",
     "camera make --size 640 480 --focal 500 --center inf 2 @x.dat"},
    {"CameraBoardHuge", 1, "larger than 16384 pixels",
     "camera board --cols 100 --rows 6 --square 25 --square-px 500 @x.png"},
    {"MarkerMakeCutPicture", 1, "cut.png: truncated PNG",
     "marker make @cut.png --pattern @x.patt --image @x.png"},
    {"MarkerMakeOddSize", 2, "--size",
     "marker make @ok.png --pattern @x.patt --image @x.png --size 100"},
    {"MarkerDrawShortPattern", 1, "bad.patt: value 4 of 3072", "marker draw @bad.patt @x.png"},
    {"MarkerDrawMissingPattern", 1, "missing.patt", "marker draw @missing.patt @x.png"},
    {"DetectMissingCamera", 1, "none.dat", "detect --camera @none.dat @ok.png"},
    {"DetectShortCamera", 1, "short.dat", "detect --camera @short.dat @ok.png"},
    {"DetectBadPattern", 1, "bad.patt", "detect --camera @cam.dat --pattern @bad.patt @ok.png"},
    {"DetectMissingImage", 1, "missing.png", "detect --camera @cam.dat @missing.png"},
    {"DetectPatternAsImage", 1, "bad.patt", "detect --camera @cam.dat @bad.patt"},
    {"DetectThreshold300", 2, "300", "detect --camera @cam.dat --threshold 300 @ok.png"},
    {"DetectThresholdWord", 2, "auto or adaptive", "detect --camera @cam.dat --threshold dark @ok.png"},
    {"DetectNoImages", 2, "images", "detect --camera @cam.dat"},
    {"SynthMarkerWithoutDistance", 1, "expected PATTERN",
     "synth --camera @cam.dat --pattern @a.patt --marker 0,80,0,0,0,0,0 -o @x.png"},
    {"SynthMarkerWithoutPattern", 1, "no --pattern",
     "synth --camera @cam.dat --pattern @a.patt --marker 1,80,0,0,0,0,0,500 -o @x.png"},
    {"SynthMarkerBehind", 1, "in front",
     "synth --camera @cam.dat --pattern @a.patt --marker 0,80,0,0,0,0,0,-5 -o @x.png"},
    {"SynthHugeSize", 1, "--size", "synth --camera @cam.dat --size 99999x2 -o @x.png"},
    {"SynthBadPattern", 1, "bad.patt", "synth --camera @cam.dat --pattern @bad.patt -o @x.png"},
    {"ModelShowMissing", 1, "no such file", "model show @absent.3ds"},
    {"ModelShowCut", 1, "cut short", "model show @cut.3ds"},
    {"ModelRenderCut", 1, "cut short", "model render @cut.3ds @x.png"},
    {"ModelRenderPastLastFrame", 1, "past the last frame",
     "model render @rich.3ds @x.png --frame 11"},
    {"ModelRenderUnknownView", 2, "--view", "model render @rich.3ds @x.png --view back"},
    {"ModelRenderZeroSize", 2, "--size", "model render @rich.3ds @x.png --size 0 10"},
    {"ModelRenderNegativeZoom", 2, "--zoom", "model render @rich.3ds @x.png --zoom -1"},
    {"TrackWithoutVideo", 1, "No hay configuración", "track @empty.zel"},
    {"TrackWithoutCamera", 1, "calibración", "track @empty.zel --video @v.cfg"},
    {"TrackMissingProject", 1, "missing.zel", "track @missing.zel"},
    {"TrackUnknownFormat", 2, "--format", "track @p.zel --format xml"},
    {"RenderUnknownExtension", 2, "OUT must end in .webm", "render @p.zel @out.avi"},
    {"RenderPictureWithoutNumber", 2, "%04d", "render @p.zel @out.png"},
    {"RenderTwoNumbers", 2, "%04d", "render @p.zel @f%04d-%04d.png"},
    {"RenderFolderMissing", 1, "cannot write", "render @p.zel @missing/out.webm"},
    {"RenderSequenceFolderMissing", 1, "missing", "render @p.zel @missing/f%04d.png"},
    {"RenderVideoMissing", 1, "none.cfg", "render @p.zel @out.webm --video @none.cfg"},
    {"RenderAbsurdSize", 2, "--size", "render @p.zel @out.webm --size 0 99999"},
    {"RenderUnknownView", 2, "--view", "render @p.zel @out.webm --view back"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RefusedCli, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& info)
                         { return info.param.name; });
