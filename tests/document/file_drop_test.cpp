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

TEST(FileDrop, FilesAreToldByTheirBytesThenTheirNames)
{
    ScratchFolder folder;
    WriteRandomPatternFile(folder.Path("a.patt"), 1);
    WriteRandomPatternFile(folder.Path("numeros"), 2);
    WriteBytes(folder.Path("foto.jpg"), "no soy una foto");
    WriteBytes(folder.Path("Proyecto"), std::string("\x02\x00\x00\x00", 4));
    WriteBytes(folder.Path("notas.txt"), "hola");
    const struct
    {
        std::string path;
        DroppedFileKind kind;
    } cases[] = {
        {WriteSquareModel(folder, SampleLayout::Glb, "m"), DroppedFileKind::Model},
        {WriteSquareModel(folder, SampleLayout::Obj, "o"), DroppedFileKind::Model},
        {folder.Path("a.patt"), DroppedFileKind::Pattern},
        {folder.Path("numeros"), DroppedFileKind::Pattern},
        {WritePicture(folder, "p.png"), DroppedFileKind::Picture},
        {folder.Path("foto.jpg"), DroppedFileKind::Picture},
        {folder.Path("otro.zel"), DroppedFileKind::Project},
        {folder.Path("Proyecto"), DroppedFileKind::Project},
        {folder.Path("notas.txt"), DroppedFileKind::Unknown},
        {folder.Path(), DroppedFileKind::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyDroppedFile(c.path), c.kind) << c.path;
}

TEST(FileDrop, AModelStandsOnTheMarkerDroppedWithItOrOnItsTrackersReference)
{
    ScratchFolder folder;
    const std::string model = WriteSquareModel(folder, SampleLayout::Glb, "cartel");
    WriteRandomPatternFile(folder.Path("marca.patt"), 3);
    const std::string projectDir = folder.Path() + "/";

    FileDropPlan plan =
        PlanFileDrop({model, folder.Path("marca.patt")}, {}, -1, projectDir, WriteMarker);
    ASSERT_EQ(plan.outcome, FileDropPlan::Outcome::Edit) << plan.message;
    ASSERT_EQ(plan.trackers.size(), 1u);
    const CTracker& added = plan.trackers.front();
    ASSERT_TRUE(added.HasReference());
    EXPECT_EQ(added.m_posReference->m_strFile, "marca.patt");
    ASSERT_EQ(added.m_models.size(), 1u);
    EXPECT_EQ(added.m_models.front().m_strName, "cartel");
    EXPECT_EQ(added.m_models.front().m_strFile, "cartel.glb");

    // A second model onto that tracker, whose reference is now 120 wide: the
    // square (flat in its Y-up file) stands upright on the marker, as wide
    // as it, its foot on the marker's plane.
    plan.trackers.front().m_posReference->m_nWidth = 120;
    const std::list<CTracker> before = plan.trackers;
    plan = PlanFileDrop({model}, before, 0, projectDir, WriteMarker);
    ASSERT_EQ(plan.outcome, FileDropPlan::Outcome::Edit) << plan.message;
    ASSERT_EQ(plan.trackers.size(), 1u);
    ASSERT_EQ(plan.trackers.front().m_models.size(), 2u);
    const CMatrix& matrix = plan.trackers.front().m_models.back().m_matrix;
    const auto low = Placed(matrix, -kHalfSide, -kHalfSide, 0);
    const auto high = Placed(matrix, kHalfSide, kHalfSide, 0);
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
    EXPECT_TRUE(fs::exists(folder.Path("foto-2.patt")));
    EXPECT_TRUE(fs::exists(folder.Path("foto-2-marcador.png")));
    EXPECT_FALSE(fs::exists(folder.Path("foto-marcador.png")));
}

TEST(FileDrop, OneFileThatCannotBeUsedRefusesTheDropByNameAndWritesNothing)
{
    ScratchFolder folder;
    const std::string glb = WriteSquareModel(folder, SampleLayout::Glb, "cortado");
    const std::string bytes = ReadBytes(glb);
    WriteBytes(glb, bytes.substr(0, bytes.size() / 2));
    WriteRandomPatternFile(folder.Path("bien.patt"), 4);
    WriteBytes(folder.Path("mal.patt"), "1 2 3 hola");
    WriteBytes(folder.Path("falsa.png"), "no soy una imagen");
    WriteBytes(folder.Path("notas.txt"), "hola");
    const std::string picture = WritePicture(folder, "foto.png");
    const std::string dir = folder.Path() + "/";
    const struct
    {
        std::vector<std::string> paths;
        std::string projectDir;
        std::string said;
    } cases[] = {
        {{picture, glb}, dir, "'cortado.glb'"},
        {{picture, folder.Path("mal.patt")}, dir, "'mal.patt': no es un fichero de patrón"},
        {{folder.Path("falsa.png"), folder.Path("bien.patt")}, dir, "'falsa.png'"},
        {{folder.Path("notas.txt")}, dir, "'notas.txt': no es un modelo 3D"},
        {{folder.Path("bien.patt"), folder.Path("otro.zel")}, dir, "'otro.zel'"},
        {{folder.Path("bien.patt"), folder.Path("no-existe.obj")}, dir, "'no-existe.obj'"},
        {{picture}, "", "Guarde el proyecto antes de convertir 'foto.png'"},
    };
    const std::set<std::string> files = FolderFiles(folder);
    for (const auto& c : cases)
    {
        const FileDropPlan plan = PlanFileDrop(c.paths, {}, -1, c.projectDir, WriteMarker);
        EXPECT_EQ(plan.outcome, FileDropPlan::Outcome::Refused) << c.said;
        EXPECT_NE(plan.message.find(c.said), std::string::npos) << plan.message;
        EXPECT_NE(plan.message.find("No se ha cambiado nada"), std::string::npos) << plan.message;
        EXPECT_TRUE(plan.trackers.empty());
        EXPECT_EQ(FolderFiles(folder), files) << c.said;
    }
}

TEST(FileDrop, AProjectAloneIsOpenedAndAFailedMarkerTakesItsFilesBack)
{
    ScratchFolder folder;
    const FileDropPlan open = PlanFileDrop({folder.Path("p.zel")}, {}, -1, "", WriteMarker);
    EXPECT_EQ(open.outcome, FileDropPlan::Outcome::OpenProject);
    EXPECT_EQ(open.projectPath, folder.Path("p.zel"));

    const std::string picture = WritePicture(folder, "foto.png");
    const std::set<std::string> files = FolderFiles(folder);
    const MarkerMaker failing =
        [](const BgraImage&, const std::string& patternPath, const std::string&, std::string* error)
    {
        WriteRandomPatternFile(patternPath, 5);
        *error = "disco lleno";
        return false;
    };
    const FileDropPlan refused = PlanFileDrop({picture}, {}, -1, folder.Path() + "/", failing);
    EXPECT_EQ(refused.outcome, FileDropPlan::Outcome::Refused);
    EXPECT_NE(refused.message.find("'foto.png': disco lleno"), std::string::npos);
    EXPECT_EQ(FolderFiles(folder), files);
}
