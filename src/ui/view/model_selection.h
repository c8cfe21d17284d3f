#pragma once
// Which model the editor's orthographic views show: the navigator's
// selection. The view asks at every paint, so it never holds a model that a
// tree rebuild has let go.

class CModel3D;

class CModelSelection
{
  public:
    virtual ~CModelSelection() = default;
    // Null when the selection is not a model.
    virtual CModel3D* GetSelectedModel() = 0;
};
