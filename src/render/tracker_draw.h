#pragma once
// A tracker's models as the live view draws and reloads them. GUI thread,
// with the drawing context current.

class CAxes;
class CTracker;

// Draws the models over the live video at the tracker's pose, each over
// everything drawn before it; nothing when the tracker was not found.
// The camera projection is loaded and the modelview matrix selected.
void DrawTracker(CTracker& tracker, const CAxes* axes);

// Unloads and reloads every model's 3DS file.
void ReloadTrackerModels(CTracker& tracker);
