#pragma once
// The editor's three orthographic views drawn in plain OpenGL, shared by the
// Qt editor view and `zelmora-cli model render`: a camera per view, the
// square -1..1 scaled by the zoom, a grey grid in the view's picture plane,
// the world axes and the selected model. The caller sets the viewport.

#include "project/placement.h"

class CAxes;
class CModel3D;

// An editor camera: where the eye is, what it looks at, which way is up,
// and how the grid is turned into the picture plane.
class CViewCamera
{
  public:
    enum Kind
    {
        kNoRotation = 0,
        kRotateAboutX = 1,
        kRotateAboutY = 2,
        kRotateAboutZ = 3,
    };

    void Set(double eyeX, double eyeY, double eyeZ, double centreX, double centreY, double centreZ,
             double upX, double upY, double upZ);
    void SetKind(int nKind) { m_nKind = nKind; }
    int Kind() const { return m_nKind; }

    // gluLookAt with the nine values.
    void Apply() const;
    // A quarter turn that brings the XY plane into the picture plane.
    void RotateIntoPicturePlane() const;

  private:
    int m_nKind = kNoRotation;
    double m_values[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
};

CViewCamera MakeEditorCamera(EditorView view);

// The zoom actually used: a zoom below 1 (the settings accept 0, which
// would scale the world by 1 / 0) shows the unit square, as zoom 1 does.
double EffectiveZoom(double zoom);

// One orthographic view: depth test on, projection -1..1 (near 1, far 100),
// the camera, scale 1 / zoom, grid, axes, the model when there is one
// (its matrix, then its scene), and the depth state the editor leaves.
void DrawOrthoView(const CViewCamera& camera, double zoom, const CAxes& axes, CModel3D* pModel);

// Lines two pixels wide and a clear to the editor's dark grey: how the
// window draws its views, and so the pictures drawn without a window.
void BeginEditorPicture();

// The 400 grid segments, from -100 to 99 in both directions, in the
// camera's picture plane.
void DrawOrthoGrid(const CViewCamera& camera);
