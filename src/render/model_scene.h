#pragma once
// The drawing side of a project's 3D model: its scene, of the kind the
// file's content asks for (C3dsScene or CMeshScene), made on first use and kept in CModel3D::m_pScene, so the project's data holds no GL.
// GUI thread only, with the context that draws the scene current for
// everything except a failed load.

#include "render/scene.h"

class CMatrix;
class CModel3D;

// The model's scene; an empty one until the model is loaded.
CScene& ModelScene(CModel3D& model);

// Loads the model's file into its scene; a file that is missing or refused
// shows two messages and leaves the model drawing nothing.
bool LoadModel(CModel3D& model);
void ReloadModel(CModel3D& model);
// The caller has the tracker's frame on the modelview stack.
void DrawModel(CModel3D& model);
// Advances the keyframe animation; true when it wrapped to frame 0.
bool NextModelFrame(CModel3D& model);
// Loaded with keyframes to play.
bool IsModelAnimated(const CModel3D& model);

// Hand a project matrix to OpenGL's current matrix stack.
void GLLoadMatrix(const CMatrix& matrix);
void GLMultMatrix(const CMatrix& matrix);
