#include "render/model_scene.h"

#include "formats/safe_3ds_load.h"
#include "project/model3d.h"
#include "project/user_messages.h"

#include <GL/gl.h>

C3dsScene& ModelScene(CModel3D& model)
{
    if (!model.m_pScene)
        model.m_pScene = std::make_shared<C3dsScene>();
    return *model.m_pScene;
}

bool LoadModel(CModel3D& model)
{
    C3dsScene& scene = ModelScene(model);
    if (scene.Load(ResolveWindowsPath(model.m_strFile)))
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
