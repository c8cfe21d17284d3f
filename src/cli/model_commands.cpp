#include "cli/cli_commands.h"

#include "imaging/image_file.h"

#include "cli/model_json.h"
#include "models/safe_3ds_load.h"
#include "models/safe_model_load.h"
#include "offscreen/offscreen_context.h"
#include "project/model3d.h"
#include "project/user_messages.h"
#include "render/axes.h"
#include "render/model_scene.h"
#include "render/ortho_view.h"
#include "render/scene_3ds.h"

#include <lib3ds/file.h>

#include <iostream>
#include <map>
#include <memory>

namespace
{
// The editor view's background and line width.
constexpr int kMaxPictureSide = 4096;

// The model's own two message boxes say little on a terminal; the command
// reports one line with the reason instead.
class CSilentMessages : public CUserMessages
{
  public:
    MessageAnswer Show(const UserMessage&) override { return MessageAnswer::Ok; }
};

class CScopedMessages
{
  public:
    explicit CScopedMessages(CUserMessages* sink) { SetUserMessages(sink); }
    ~CScopedMessages() { SetUserMessages(nullptr); }
};

struct RenderOptions
{
    std::string strFile;
    std::string strOut;
    std::vector<int> size{256, 256};
    std::string strView = "front";
    double dZoom = 1.0;
    int nFrame = 0;
};

nlohmann::json Show3ds(const std::string& path)
{
    CLoaded3ds loaded;
    std::string reason;
    if (!LoadChecked3ds(path, ModelDirectory(path), &loaded, &reason))
        throw CommandFailure("cannot load " + path + ": " + reason);
    nlohmann::json json = SceneToJson(*loaded.pFile);
    json["format"] = "3DS";
    json["box"] = BoxToJson(Box3ds(*loaded.pFile));
    return json;
}

nlohmann::json ShowMesh(const std::string& path)
{
    CMeshModel model;
    std::string reason;
    if (!LoadCheckedMesh(path, ModelDirectory(path), &model, &reason))
        throw CommandFailure("cannot load " + path + ": " + reason);
    nlohmann::json json = MeshModelToJson(model);
    json["box"] = BoxToJson(MeshModelBox(model));
    return json;
}

void ShowModel(const std::string& path)
{
    const ModelFormat format = SniffModelFile(path);
    nlohmann::json json = format == ModelFormat::Max3ds || format == ModelFormat::Unknown
                              ? Show3ds(path)
                              : ShowMesh(path);
    json["file"] = path;
    std::cout << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

void RenderModel(const RenderOptions& options)
{
    COffscreenContext context;
    std::string error;
    if (!context.Create(options.size[0], options.size[1], &error))
        throw CommandFailure("cannot render: " + error);

    CSilentMessages silent;
    CScopedMessages scoped(&silent);
    CModel3D model;
    model.m_strFile = options.strFile;
    if (!LoadModel(model))
        throw CommandFailure("cannot load " + options.strFile + ": " +
                             ModelScene(model).LastError());
    const int frames = ModelScene(model).FrameCount();
    if (options.nFrame > frames)
        throw CommandFailure("frame " + std::to_string(options.nFrame) +
                             " is past the last frame, " + std::to_string(frames));
    for (int k = 0; k < options.nFrame; ++k)
        NextModelFrame(model);

    static const std::map<std::string, EditorView> kViews = {
        {"front", kFrontView}, {"side", kSideView}, {"top", kTopView}};
    BeginEditorPicture();
    CAxes axes;
    DrawOrthoView(MakeEditorCamera(kViews.at(options.strView)), options.dZoom, axes, &model);

    const OffscreenImage image = context.ReadPixels();
    BgraImage picture(image.width, image.height);
    for (size_t k = 0; k < image.pixels.size(); ++k)
    {
        const OffscreenPixel& pixel = image.pixels[k];
        const unsigned char bgra[4] = {pixel.b, pixel.g, pixel.r, 255};
        std::copy(bgra, bgra + 4, &picture.pixels[4 * k]);
    }
    if (!WritePngFile(options.strOut, picture, &error))
        throw CommandFailure(error);
}
} // namespace

void RegisterModelCommands(CLI::App& app)
{
    CLI::App* model =
        app.add_subcommand("model", "Inspect and draw models (3DS, glTF, GLB, OBJ, FBX, Collada)");
    model->require_subcommand(1);

    auto* show = model->add_subcommand("show", "Print a model's nodes, meshes, materials, "
                                               "lights, frame count and box as JSON");
    auto showPath = std::make_shared<std::string>();
    show->add_option("FILE", *showPath, "Model file to read")->required();
    show->callback([showPath] { ShowModel(*showPath); });

    auto* render = model->add_subcommand(
        "render", "Draw a model as one orthographic editor view into a PNG picture");
    auto options = std::make_shared<RenderOptions>();
    render->add_option("FILE", options->strFile, "Model file to draw")->required();
    render->add_option("OUT", options->strOut, "PNG picture to write")->required();
    render->add_option("--size", options->size, "Picture width and height in pixels")
        ->expected(2)
        ->check(CLI::Range(1, kMaxPictureSide));
    render->add_option("--view", options->strView, "Editor view: front, side or top")
        ->check(CLI::IsMember({"front", "side", "top"}));
    render
        ->add_option("--zoom", options->dZoom,
                     "World units from the centre to the edge (below 1 counts as 1)")
        ->check(CLI::NonNegativeNumber);
    render->add_option("--frame", options->nFrame, "Animation frame to draw")
        ->check(CLI::NonNegativeNumber);
    render->callback([options] { RenderModel(*options); });
}
