#pragma once
// Camera model of the tracking library: image size, 3 x 4 projection and the
// four-number lens distortion model, plus the functions that load, resize,
// print and apply it. Free functions over the process-wide state
// (tracking_state.h); only the user-interface thread calls them.

struct CameraParam
{
    int xsize = 0;
    int ysize = 0;
    double mat[3][4] = {};       // camera frame to image pixels, row-major
    double distFactor[4] = {};   // centre x, centre y (px), radial f, scale s
};

// Reads `count` consecutive 136-byte big-endian records. 0 on success, -1 when
// count < 1, the file cannot be opened, a record is short, or a record holds a
// size that is not positive or a value that is not finite.
int loadCameraParam(const char* path, int count, CameraParam* params);

int changeCameraParamSize(const CameraParam& source, int xsize, int ysize, CameraParam* dest);
int initCameraParam(const CameraParam& param);
int displayCameraParam(const CameraParam& param);

int observedToIdeal(const double distFactor[4], double ox, double oy, double* ix, double* iy);
int idealToObserved(const double distFactor[4], double ix, double iy, double* ox, double* oy);

int decomposeCameraMatrix(const double source[3][4], double cpara[3][4], double trans[3][4]);
