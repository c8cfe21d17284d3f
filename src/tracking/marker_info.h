#pragma once
// One detected marker: the record detection fills, pattern matching
// identifies and pose estimation reads.

struct MarkerInfo
{
    int area = 0;             // dark pixels of the marker's region
    int id = -1;              // pattern slot, -1 when not identified
    int dir = -1;             // orientation 0..3 of the match, -1 when none
    double cf = 0.0;          // normalised correlation of the match
    double pos[2] = {};       // centroid (x, y), pixels
    double line[4][3] = {};   // edges a*x + b*y + c = 0, ideal coordinates
    double vertex[4][2] = {}; // corner i joins lines i-1 and i, ideal coordinates
};
