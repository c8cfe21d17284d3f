// Publishing the demo, and every way a project's files can stop it, which
// must leave the target folder as it was.
#include "document/zelmora_doc.h"
#include "models/safe_model_load.h"
#include "publish/site_publisher.h"
#include "support/quiet_demo.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <set>

namespace fs = std::filesystem;

namespace
{
class SitePublisherTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(WriteQuietDemo(m_folder.Path("demo"), 1, &error)) << error;
    }

    PublishedProject Demo()
    {
        CZelmoraDoc doc;
        doc.OnNewDocument();
        std::string error;
        EXPECT_TRUE(doc.OpenProject(m_folder.Path("demo/demo.zel"), &error, false)) << error;
        return {"demo", doc.m_strProjectDir, doc.m_settings, doc.m_trackers};
    }

    // The names in the folder that holds the sites, hidden ones too.
    std::set<std::string> Siblings() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder.Path()))
            names.insert(entry.path().filename().string());
        return names;
    }

    ScratchFolder m_folder;
};

TEST_F(SitePublisherTest, TheDemoBecomesASiteWithItsPatternsCameraAndModels)
{
    std::string error;
    ASSERT_TRUE(PublishSite(Demo(), m_folder.Path("sitio"), {}, &error)) << error;
    const std::string site = m_folder.Path("sitio/");
    for (const char* file : {"index.html", "app.js", "tracker-worker.js", "zelmora-tracker.wasm",
                             "lib/three.module.min.js", "lib/addons/loaders/GLTFLoader.js"})
        EXPECT_TRUE(fs::is_regular_file(site + file)) << file;

    const auto json = nlohmann::json::parse(ReadBytes(site + "site.json"));
    EXPECT_EQ(json["camera"]["width"], 640);
    EXPECT_EQ(ReadBytes(site + "camara.dat"), ReadBytes(m_folder.Path("demo/camara.dat")));
    ASSERT_EQ(json["trackers"].size(), 2u);
    const auto& coche = json["trackers"][0];
    EXPECT_EQ(coche["name"], "Coche");
    EXPECT_EQ(coche["patterns"][0]["adaptive"], true);
    EXPECT_NE(coche["patterns"][0]["file"], coche["patterns"][1]["file"]);
    EXPECT_EQ(ReadBytes(site + coche["patterns"][0]["file"].get<std::string>()),
              ReadBytes(m_folder.Path("demo/marcadores/zelmora.patt")));
    // Both models, the 3DS house and the glTF sign, read back as glTF.
    for (const auto& tracker : json["trackers"])
    {
        const std::string file = tracker["models"][0]["file"];
        CMeshModel model;
        std::string reason;
        ASSERT_TRUE(LoadCheckedMesh(site + file, site, &model, &reason)) << file << ": " << reason;
        EXPECT_FALSE(model.meshes.empty()) << file;
        EXPECT_FALSE(model.textures.empty()) << file;
    }
    EXPECT_EQ(Siblings(), (std::set<std::string>{"demo", "sitio"}));
}

struct Refusal
{
    const char* name;
    std::function<void(const std::string& demo, PublishedProject&, PublishOptions&)> spoil;
    const char* said; // part of the reason
};

class SitePublisherRefusalTest : public SitePublisherTest,
                                 public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(SitePublisherRefusalTest, NothingIsWrittenAndAnEarlierSiteStays)
{
    std::string error;
    const std::string site = m_folder.Path("sitio");
    ASSERT_TRUE(PublishSite(Demo(), site, {}, &error)) << error;
    WriteBytes(site + "/site.json", "{\"earlier\": true}");

    PublishedProject project = Demo();
    PublishOptions options;
    GetParam().spoil(m_folder.Path("demo/"), project, options);
    EXPECT_FALSE(PublishSite(project, site, options, &error));
    EXPECT_NE(error.find(GetParam().said), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(site + "/site.json"), "{\"earlier\": true}");
    EXPECT_FALSE(PublishSite(project, m_folder.Path("nuevo"), options, &error));
    EXPECT_EQ(Siblings(), (std::set<std::string>{"demo", "sitio"}));
}

INSTANTIATE_TEST_SUITE_P(
    EachBadInput, SitePublisherRefusalTest,
    ::testing::Values(
        Refusal{"MissingPattern",
                [](const std::string& demo, PublishedProject&, PublishOptions&)
                { fs::remove(demo + "marcadores/flecha.patt"); },
                "tracker 'Coche': cannot read the pattern file 'marcadores/flecha.patt'"},
        Refusal{"MalformedPattern",
                [](const std::string& demo, PublishedProject&, PublishOptions&)
                { WriteBytes(demo + "marcadores/anillo.patt", "12 300 x"); },
                "tracker 'Señal': cannot read the pattern file"},
        Refusal{"MissingModel",
                [](const std::string& demo, PublishedProject&, PublishOptions&)
                { fs::remove(demo + "modelos/casa.3ds"); },
                "tracker 'Coche': cannot use the model 'modelos/casa.3ds'"},
        Refusal{"CutModel",
                [](const std::string& demo, PublishedProject&, PublishOptions&)
                {
                    const std::string bytes = ReadBytes(demo + "modelos/senal.gltf");
                    WriteBytes(demo + "modelos/senal.gltf", bytes.substr(0, bytes.size() / 2));
                },
                "cannot use the model 'modelos/senal.gltf'"},
        Refusal{"MissingCamera",
                [](const std::string& demo, PublishedProject&, PublishOptions&)
                { fs::remove(demo + "camara.dat"); },
                "cannot read the camera file 'camara.dat'"},
        Refusal{"AbsurdFieldOfView",
                [](const std::string&, PublishedProject&, PublishOptions& options)
                { options.fFovDegrees = 1000.0; },
                "field of view"},
        Refusal{"NoRuntime",
                [](const std::string& demo, PublishedProject&, PublishOptions& options)
                { options.strRuntimeDir = demo; },
                "web runtime is missing"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

TEST_F(SitePublisherTest, AFolderOfOtherFilesIsNeverReplaced)
{
    const std::string mine = m_folder.Path("mio");
    fs::create_directory(mine);
    WriteBytes(mine + "/notas.txt", "mías");
    std::string error;
    EXPECT_FALSE(PublishSite(Demo(), mine, {}, &error));
    EXPECT_NE(error.find("holds other files"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(mine + "/notas.txt"), "mías");
    // An empty folder is filled.
    fs::remove(mine + "/notas.txt");
    EXPECT_TRUE(PublishSite(Demo(), mine, {}, &error)) << error;
    EXPECT_TRUE(fs::is_regular_file(mine + "/site.json"));
}
} // namespace
