#pragma once
// The GLUT window a live run opens from the camera parameters: one view of
// the image size times the zoom, optionally with a grid of half-size extra
// views below it. The library draws nothing into it; creating it leaves its
// OpenGL context current. User-interface thread only.

#include "tracking/camera_param.h"

// Where the window's size comes from, computed without touching GLUT.
struct DisplayWindowGeometry
{
    int viewWidth = 0; // main view
    int viewHeight = 0;
    int miniWidth = 0; // each extra view
    int miniHeight = 0;
    int columns = 0; // extra views per row, after the cap of 8
    int rows = 0;
    int windowWidth = 0;
    int windowHeight = 0;
};

// What initDisplayWindow remembers; part of TrackingState.
struct DisplayWindowState
{
    double zoom = 1.0;
    int imageWidth = 0;
    int imageHeight = 0;
    int hmd = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int windowId = 0; // 0 while no window exists
    unsigned int textures[4] = {};
};

DisplayWindowGeometry displayWindowGeometry(const CameraParam& cparam, double zoom, int xwin,
                                            int ywin, int hmd);

// Opens the window at (0, 0): double-buffered RGBA with depth and stencil;
// full screen when `full` is set. Closing it ends the program. Without an X
// display it prints why on standard error and opens nothing.
void initDisplayWindow(const CameraParam& cparam, double zoom, int full, int xwin, int ywin,
                       int hmd);
