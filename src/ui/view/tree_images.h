#pragma once
// The navigator tree's four pictures, drawn at start-up rather than shipped:
// a folder (the project), a red letter T (a tracker), a black square frame
// (a pattern) and a green figure (a 3D model), each 16 x 15 pixels on white,
// white being transparent.

#include "document/node_path.h"

#include <QIcon>
#include <QPixmap>

// The four pictures side by side, 64 x 15, on white.
QPixmap TreeImageStrip();
// The picture of a node of that kind, in the strip's order.
QIcon TreeIcon(NodeKind kind);
