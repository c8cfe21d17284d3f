#pragma once
// The bundled demo's ground truth, seen through its camera.

// Where the demo's camera sees the centre of `marker` in frame `frame`, in
// pixels of its 640 x 480 picture.
void DemoMarkerCentre(int frame, int marker, double* u, double* v);
