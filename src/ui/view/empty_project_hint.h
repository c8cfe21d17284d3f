#pragma once
// The line the editor view shows over a project without trackers, so a
// first start is not an empty grey window: where to add a tracker, or what
// to drop. Painted with QPainter over the GL picture, in the view's current
// context. GUI thread.

#include <QSize>

// Draws the hint centred in a view of `devicePixels`, then undoes what
// QPainter left bound and enabled; the caller applies its initial state.
void DrawEmptyProjectHint(const QSize& devicePixels, qreal devicePixelRatio);
