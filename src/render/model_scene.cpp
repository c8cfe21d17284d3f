#include "render/model_scene.h"

#include "models/safe_3ds_load.h"
#include "models/safe_model_load.h"
#include "project/model3d.h"
#include "project/user_messages.h"
#include "render/mesh_scene.h"
#include "render/scene_3ds.h"

#include <GL/gl.h>

CScene& ModelScene(CModel3D& model)
{
    if (!model.m_pScene)
        model.m_pScene = std::make_shared<C3dsScene>();
    return *model.m_pScene;
}

bool LoadModel(CModel3D& model)
{
    const std::string path = ResolveWindowsPath(model.m_strFile);
    // A file that is not a 3DS file goes to assimp; an unloaded scene of the
    // wrong kind is replaced, a loaded one is left as the caller expects.
    const ModelFormat format = SniffModelFile(path);
    const bool b3ds = format == ModelFormat::Max3ds || format == ModelFormat::Unknown;
    if (model.m_pScene && !model.m_pScene->IsLoaded() &&
        b3ds != bool(dynamic_cast<C3dsScene*>(model.m_pScene.get())))
        model.m_pScene.reset();
    if (!model.m_pScene && !b3ds)
        model.m_pScene = std::make_shared<CMeshScene>();
    CScene& scene = ModelScene(model);
    if (scene.Load(path))
        return true;
    if (!scene.IsLoaded())
        ShowMessage("File '" + model.m_strFile + "' not found", "Debug", MessageIcon::None,
                    MessageButtons::Ok);
    return false;
}

void ReloadModel(CModel3D& model)
{
    ModelScene(model).Unload();
    LoadModel(model);
}

void DrawModel(CModel3D& model)
{
    GLMultMatrix(model.m_matrix);
    ModelScene(model).Render();
}

bool NextModelFrame(CModel3D& model)
{
    return ModelScene(model).NextFrame();
}

bool IsModelAnimated(const CModel3D& model)
{
    return model.m_pScene && model.m_pScene->IsAnimated();
}

void GLLoadMatrix(const CMatrix& matrix)
{
    glLoadMatrixd(matrix.GetData());
}

void GLMultMatrix(const CMatrix& matrix)
{
    glMultMatrixd(matrix.GetData());
}
