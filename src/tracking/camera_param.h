#pragma once
// Camera model of the tracking library: image size, 3 x 4 projection and the
// four-number lens distortion model, plus the functions that load, resize,
// print and apply it. Free functions over the process-wide state
// (tracking_state.h); only the user-interface thread calls them.

struct CameraParam
{
    int xsize = 0;
    int ysize = 0;
    double mat[3][4] = {};     // camera frame to image pixels, row-major
    double distFactor[4] = {}; // centre x, centre y (px), radial f, scale s
};

// Size of one record in a camera parameter file.
constexpr int kCameraParamFileBytes = 136;

// Why loadCameraParam refused a file, for callers that explain it.
enum class CameraParamFault
{
    None,
    BadCount,    // count < 1
    CannotOpen,  // errno tells why
    ShortRecord, // the file ends inside a record
    BadSize,     // xsize or ysize not positive
    NotFinite,   // a matrix or distortion value is infinite or NaN
};

// Reads `count` consecutive 136-byte big-endian records. 0 on success, -1 when
// count < 1, the file cannot be opened, a record is short, or a record holds a
// size that is not positive or a value that is not finite. Records read
// before the failing one stay filled; the failing one is left as it was.
int loadCameraParam(const char* path, int count, CameraParam* params,
                    CameraParamFault* fault = nullptr);

// Scales the record to a new image size by the width ratio. 0, or -1 (dest
// untouched) when either width or height is not positive. dest may be source.
int changeCameraParamSize(const CameraParam& source, int xsize, int ysize, CameraParam* dest);
int initCameraParam(const CameraParam& param);
int displayCameraParam(const CameraParam& param);

int observedToIdeal(const double distFactor[4], double ox, double oy, double* ix, double* iy);
int idealToObserved(const double distFactor[4], double ix, double iy, double* ox, double* oy);

int decomposeCameraMatrix(const double source[3][4], double cpara[3][4], double trans[3][4]);
