#include "model/axes.h"
#include "model/tracker.h"

#include <GL/gl.h>

void CTracker::Draw(const CAxes* axes)
{
    if (!m_bFound)
        return;
    glPushMatrix();
    glColor3d(1.0, 0.0, 0.0);
    glDisable(GL_TEXTURE_2D);
    for (CModel3D& model : m_models)
    {
        // Each model is drawn over the video and over the models before it;
        // depth only sorts the faces of one model.
        glClearDepth(1.0);
        glClear(GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        m_pose.GLLoad();
        // The pose carries the reference pattern's frame with x mirrored,
        // as the relations record it; models are drawn in the marker's own
        // frame so they keep their handedness over an upright picture.
        glScaled(-1.0, 1.0, 1.0);
        if (axes)
            axes->Draw();
        model.Draw();
        glDisable(GL_DEPTH_TEST);
    }
    glPopMatrix();
}
