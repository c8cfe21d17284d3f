#pragma once
// The navigator tree's four pictures, drawn at start-up rather than shipped:
// a folder (the project), a red letter T (a tracker), a black square frame
// (a pattern) and a green figure (a 3D model), each 16 x 15 pixels on white,
// white being transparent.

#include <QIcon>
#include <QPixmap>

enum TreeImage
{
    kProjectImage = 0,
    kTrackerImage = 1,
    kPatternImage = 2,
    kModelImage = 3,
};

// The four pictures side by side, 64 x 15, on white.
QPixmap TreeImageStrip();
QIcon TreeIcon(TreeImage image);
