#include "render/tracker_draw.h"

#include "project/tracker.h"
#include "render/axes.h"
#include "render/model_scene.h"

#include <GL/gl.h>

void DrawTracker(CTracker& tracker, const CAxes* axes)
{
    if (!tracker.m_bFound)
        return;
    glPushMatrix();
    glColor3d(1.0, 0.0, 0.0);
    glDisable(GL_TEXTURE_2D);
    for (CModel3D& model : tracker.m_models)
    {
        // Each model is drawn over the video and over the models before it;
        // depth only sorts the faces of one model.
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        GLLoadMatrix(tracker.m_pose);
        // The pose carries the reference pattern's frame with x mirrored,
        // as the relations record it; models are drawn in the marker's own
        // frame so they keep their handedness over an upright picture.
        glScaled(-1.0, 1.0, 1.0);
        if (axes)
            axes->Draw();
        DrawModel(model);
        glDisable(GL_DEPTH_TEST);
    }
    glPopMatrix();
}

void ReloadTrackerModels(CTracker& tracker)
{
    for (CModel3D& model : tracker.m_models)
        ReloadModel(model);
}
