// Files dropped on the window, decided by the document: what each file is
// taken for, where models stand, the marker files' names, and drops refused
// whole without a file written.
#include "document/file_drop.h"

#include "imaging/image_file.h"
#include "support/pattern_files.h"
#include "support/sample_models.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace
{
constexpr double kTolerance = 1e-6;
constexpr float kHalfSide = 0.5f;

// Writes a real pattern file and picture where it is told to, as the
// marker maker of the window does.
bool WriteMarker(const BgraImage& picture, const std::string& patternPath,
                 const std::string& imagePath, std::string* error)
{
    WriteRandomPatternFile(patternPath, 7);
    return WritePngFile(imagePath, picture, error);
}

std::string WritePicture(const ScratchFolder& folder, const std::string& name)
{
    std::string error;
    EXPECT_TRUE(WritePngFile(folder.Path(name), BgraImage(32, 32), &error)) << error;
    return folder.Path(name);
}

std::string WriteSquareModel(const ScratchFolder& folder, SampleLayout layout,
                             const std::string& stem)
{
    CMeshModel model;
    AddSquare(&model, 0.0f, 0.0f, kHalfSide, {0, 1, 0, 1});
    return WriteSample(model, layout, folder.Path(), stem);
}

std::set<std::string> FolderFiles(const ScratchFolder& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

// The model's corners where its matrix puts them on the tracker.
std::array<double, 3> Placed(const CMatrix& matrix, double x, double y, double z)
{
    const double* e = matrix.GetData();
    std::array<double, 3> point;
    for (int row = 0; row < 3; ++row)
        point[row] = e[row] * x + e[4 + row] * y + e[8 + row] * z + e[12 + row];
    return point;
}
} // namespace

// The window's tests drop each kind by its usual name; these are told by
// their bytes or by having no name to go by.
TEST(FileDrop, FilesWithoutTheirUsualNamesAreToldByTheirBytes)
{
    ScratchFolder folder;
    const std::string model = WriteSquareModel(folder, SampleLayout::Obj, "o");
    fs::rename(model, folder.Path("modelo"));
    WriteRandomPatternFile(folder.Path("numeros"), 2);
    WriteBytes(folder.Path("Proyecto"), std::string("\x02\x00\x00\x00", 4));
    WriteBytes(folder.Path("foto.jpg"), "no soy una foto");
    const struct
    {
        std::string name;
        DroppedFileKind kind;
    } cases[] = {
        {"modelo", DroppedFileKind::Model},     {"numeros", DroppedFileKind::Pattern},
        {"Proyecto", DroppedFileKind::Project}, {"foto.jpg", DroppedFileKind::Picture},
        {"", DroppedFileKind::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyDroppedFile(folder.Path(c.name)), c.kind) << c.name;
}

TEST(FileDrop, AModelStandsOnItsTrackersReferenceOrOnTheMarkerDroppedWithIt)
{
    ScratchFolder folder;
    const std::string model = WriteSquareModel(folder, SampleLayout::Glb, "cartel");
    WriteRandomPatternFile(folder.Path("marca.patt"), 3);
    const std::string projectDir = folder.Path() + "/";

    FileDropPlan plan =
        PlanFileDrop({model, folder.Path("marca.patt")}, {}, -1, projectDir, WriteMarker);
    ASSERT_EQ(plan.outcome, FileDropPlan::Outcome::Edit) << plan.message;
    EXPECT_EQ(plan.trackers.front().m_strName, "cartel");
    ASSERT_TRUE(plan.trackers.front().HasReference());
    EXPECT_EQ(plan.trackers.front().m_posReference->m_strFile, "marca.patt");

    // On a tracker whose reference is 120 wide, the square (flat in its Y-up
    // file) stands upright, as wide as the marker, its foot on its plane.
    plan.trackers.front().m_posReference->m_nWidth = 120;
    const std::list<CTracker> before = plan.trackers;
    plan = PlanFileDrop({model}, before, 0, projectDir, WriteMarker);
    ASSERT_EQ(plan.outcome, FileDropPlan::Outcome::Edit) << plan.message;
    ASSERT_EQ(plan.trackers.front().m_models.size(), 2u);
    const CModel3D& added = plan.trackers.front().m_models.back();
    EXPECT_EQ(added.m_strFile, "cartel.glb");
    const auto low = Placed(added.m_matrix, -kHalfSide, -kHalfSide, 0);
    const auto high = Placed(added.m_matrix, kHalfSide, kHalfSide, 0);
    EXPECT_NEAR(std::abs(high[0] - low[0]), 120.0, kTolerance);
    EXPECT_NEAR(low[0] + high[0], 0.0, kTolerance);
    EXPECT_NEAR(std::min(low[2], high[2]), 0.0, kTolerance);
    EXPECT_NEAR(std::abs(high[2] - low[2]), 120.0, kTolerance);
}

TEST(FileDrop, APictureBecomesAMarkerWithoutOverwritingAnything)
{
    ScratchFolder folder;
    const std::string picture = WritePicture(folder, "foto.png");
    WriteBytes(folder.Path("foto.patt"), "ya estaba");
    const FileDropPlan plan = PlanFileDrop({picture}, {}, -1, folder.Path() + "/", WriteMarker);
    ASSERT_EQ(plan.outcome, FileDropPlan::Outcome::Edit) << plan.message;
    EXPECT_EQ(plan.trackers.front().m_patterns.front().m_strFile, "foto-2.patt");
    EXPECT_EQ(ReadBytes(folder.Path("foto.patt")), "ya estaba");
    EXPECT_TRUE(fs::exists(folder.Path("foto-2-marcador.png")));
}

// The window's tests drop damaged models, patterns and pictures; these are
// the refusals a window test does not reach, and a marker maker that fails.
TEST(FileDrop, AProjectAloneOpensAndAnythingElseUnusableRefusesTheDrop)
{
    ScratchFolder folder;
    const FileDropPlan open = PlanFileDrop({folder.Path("p.zel")}, {}, -1, "", WriteMarker);
    EXPECT_EQ(open.outcome, FileDropPlan::Outcome::OpenProject);
    EXPECT_EQ(open.projectPath, folder.Path("p.zel"));

    WriteRandomPatternFile(folder.Path("bien.patt"), 4);
    WriteBytes(folder.Path("notas.txt"), "hola");
    const std::string picture = WritePicture(folder, "foto.png");
    const MarkerMaker failing =
        [](const BgraImage&, const std::string& patternPath, const std::string&, std::string* error)
    {
        WriteRandomPatternFile(patternPath, 5);
        *error = "disco lleno";
        return false;
    };
    const struct
    {
        std::vector<std::string> paths;
        MarkerMaker maker;
        std::string said;
    } cases[] = {
        {{folder.Path("notas.txt")}, WriteMarker, "'notas.txt': no es un modelo 3D"},
        {{folder.Path("bien.patt"), folder.Path("otro.zel")}, WriteMarker, "'otro.zel'"},
        {{folder.Path("bien.patt"), folder.Path("no.obj")}, WriteMarker, "'no.obj': no existe"},
        {{folder.Path("bien.patt"), picture}, failing, "'foto.png': disco lleno"},
    };
    const std::set<std::string> files = FolderFiles(folder);
    for (const auto& c : cases)
    {
        const FileDropPlan plan = PlanFileDrop(c.paths, {}, -1, folder.Path() + "/", c.maker);
        EXPECT_EQ(plan.outcome, FileDropPlan::Outcome::Refused) << c.said;
        EXPECT_NE(plan.message.find(c.said), std::string::npos) << plan.message;
        EXPECT_NE(plan.message.find("No se ha cambiado nada"), std::string::npos) << plan.message;
        EXPECT_TRUE(plan.trackers.empty());
        EXPECT_EQ(FolderFiles(folder), files) << c.said;
    }
}
