#include "support/demo_marker.h"

#include "demo/demo_sequence.h"

void DemoMarkerCentre(int frame, int marker, double* u, double* v)
{
    const DemoFrameTruth truth = DemoTruthAt(frame);
    const double(*pose)[4] = truth.cameraFromMarker[marker];
    const CameraParam camera = DemoCamera();
    double image[3];
    for (int row = 0; row < 3; ++row)
    {
        image[row] = camera.mat[row][3];
        for (int k = 0; k < 3; ++k)
            image[row] += camera.mat[row][k] * pose[k][3];
    }
    *u = image[0] / image[2];
    *v = image[1] / image[2];
}
