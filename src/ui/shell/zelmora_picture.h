#pragma once
// Zelmora's picture, drawn rather than shipped: a printed marker (a black
// square frame on white) with a small house standing on it. The window icon
// and the About box use it.

#include <QPixmap>

QPixmap ZelmoraPicture(int side);
