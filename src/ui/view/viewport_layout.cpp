#include "ui/view/viewport_layout.h"

CViewportLayout LayoutViewports(int cx, int cy, int frameWidth, int frameHeight)
{
    if (cy == 0)
        cy = 1;
    int w = cx;
    int h = cy;
    if (frameWidth > 0 && frameHeight > 0)
    {
        const double ratio = double(frameWidth) / frameHeight;
        // Ties take the width-limited branch.
        if (double(cy) / frameHeight < double(cx) / frameWidth)
            w = int(cy * ratio);
        else
            h = int(cx / ratio);
    }
    const int x0 = (cx - w) / 2;
    const int y0 = (cy - h) / 2;
    const int mx = x0 + w / 2;
    const int my = y0 + h / 2;
    const int half = kQuadrantGapPx / 2;

    CViewportLayout layout;
    layout.letterbox = {x0, y0, x0 + w, y0 + h};
    layout.quadrants[0][0] = {x0, my + half, mx - half, y0 + h};
    layout.quadrants[1][0] = {mx + half, my + half, x0 + w, y0 + h};
    layout.quadrants[0][1] = {x0, y0, mx - half, my - half};
    layout.quadrants[1][1] = {mx + half, y0, x0 + w, my - half};
    return layout;
}
