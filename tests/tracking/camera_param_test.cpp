#include "tracking_fixture.h"

#include "tracking/camera_param.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace
{
constexpr double kDecompositionTolerance = 1e-9;

void PutBig(std::string& bytes, uint64_t value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A record written byte by byte in the file's big-endian order.
std::string Record(int32_t xsize, int32_t ysize, const double mat[3][4], const double dist[4])
{
    std::string bytes;
    PutBig(bytes, static_cast<uint32_t>(xsize), 4);
    PutBig(bytes, static_cast<uint32_t>(ysize), 4);
    auto putDouble = [&bytes](double value)
    {
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        PutBig(bytes, bits, 8);
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            putDouble(mat[r][c]);
    for (int i = 0; i < 4; ++i)
        putDouble(dist[i]);
    return bytes;
}

const double kMat[3][4] = {
    {700.5, 0.25, 310.0, 1.5}, {0.0, 702.0, 245.5, -2.0}, {0.0, 0.0, 1.0, 0.0}};
const double kDist[4] = {318.0, 242.0, 55.0, 0.97};

CameraParam SampleCamera()
{
    CameraParam param;
    param.xsize = 640;
    param.ysize = 480;
    std::memcpy(param.mat, kMat, sizeof kMat);
    std::memcpy(param.distFactor, kDist, sizeof kDist);
    return param;
}

using CameraParamFile = FreshTrackingState;
} // namespace

TEST_F(CameraParamFile, BigEndianRecordLoads)
{
    CameraParam param;
    ASSERT_EQ(loadCameraParam(Write("a.dat", Record(640, 480, kMat, kDist)).c_str(), 1, &param), 0);
    EXPECT_EQ(param.xsize, 640);
    EXPECT_EQ(param.ysize, 480);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(param.mat[r][c], kMat[r][c]);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(param.distFactor[i], kDist[i]);
}

TEST_F(CameraParamFile, BadFilesAreRefusedWithTheirFaultAndTheRecordUnchanged)
{
    const std::string record = Record(640, 480, kMat, kDist);
    double nanMat[3][4];
    std::memcpy(nanMat, kMat, sizeof nanMat);
    nanMat[1][2] = std::numeric_limits<double>::quiet_NaN();
    double infDist[4] = {kDist[0], kDist[1], std::numeric_limits<double>::infinity(), kDist[3]};
    const struct
    {
        const char* name;
        std::string bytes;
        int count;
        CameraParamFault fault;
    } cases[] = {
        {"short record", record.substr(0, 135), 1, CameraParamFault::ShortRecord},
        {"no record asked for", record, 0, CameraParamFault::BadCount},
        {"zero width", Record(0, 480, kMat, kDist), 1, CameraParamFault::BadSize},
        {"negative height", Record(640, -480, kMat, kDist), 1, CameraParamFault::BadSize},
        {"NaN in the matrix", Record(640, 480, nanMat, kDist), 1, CameraParamFault::NotFinite},
        {"infinite distortion", Record(640, 480, kMat, infDist), 1, CameraParamFault::NotFinite},
    };
    CameraParamFault fault = CameraParamFault::None;
    for (const auto& c : cases)
    {
        CameraParam param;
        param.xsize = 17;
        fault = CameraParamFault::None;
        EXPECT_EQ(loadCameraParam(Write("bad.dat", c.bytes).c_str(), c.count, &param, &fault), -1)
            << c.name;
        EXPECT_EQ(fault, c.fault) << c.name;
        EXPECT_EQ(param.xsize, 17) << c.name << ": the record changed";
    }
    CameraParam params[2];
    EXPECT_EQ(loadCameraParam(m_folder.Path("missing.dat").c_str(), 1, params, &fault), -1);
    EXPECT_EQ(fault, CameraParamFault::CannotOpen);
    // Of two records asked for, the first stays filled when the second is short.
    const std::string twoHundred = Write("200.dat", record + record.substr(0, 64));
    EXPECT_EQ(loadCameraParam(twoHundred.c_str(), 2, params, &fault), -1);
    EXPECT_EQ(params[0].xsize, 640);
    EXPECT_EQ(params[1].xsize, 0);
}

TEST(CameraParamSize, HalvingScalesTheFirstTwoRowsAndTheDistortion)
{
    const CameraParam source = SampleCamera();
    CameraParam half;
    ASSERT_EQ(changeCameraParamSize(source, 320, 240, &half), 0);
    EXPECT_EQ(half.xsize, 320);
    EXPECT_EQ(half.ysize, 240);
    for (int c = 0; c < 4; ++c)
    {
        EXPECT_DOUBLE_EQ(half.mat[0][c], kMat[0][c] / 2);
        EXPECT_DOUBLE_EQ(half.mat[1][c], kMat[1][c] / 2);
        EXPECT_EQ(half.mat[2][c], kMat[2][c]);
    }
    EXPECT_DOUBLE_EQ(half.distFactor[0], kDist[0] / 2);
    EXPECT_DOUBLE_EQ(half.distFactor[1], kDist[1] / 2);
    EXPECT_DOUBLE_EQ(half.distFactor[2], kDist[2] * 4);
    EXPECT_EQ(half.distFactor[3], kDist[3]);

    // Only the width ratio counts, and the destination may be the source.
    CameraParam inPlace = source;
    ASSERT_EQ(changeCameraParamSize(inPlace, 320, 480, &inPlace), 0);
    EXPECT_DOUBLE_EQ(inPlace.mat[1][1], kMat[1][1] / 2);
    EXPECT_EQ(inPlace.ysize, 480);

    CameraParam untouched = half;
    EXPECT_EQ(changeCameraParamSize(source, 0, 240, &untouched), -1);
    CameraParam empty;
    EXPECT_EQ(changeCameraParamSize(empty, 320, 240, &untouched), -1);
    EXPECT_EQ(untouched.xsize, 320);
}

TEST(CameraParamDisplay, PrintsTheRecordInTheRunFormat)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(displayCameraParam(SampleCamera()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "--------------------------------------\n"
              "SIZE = 640, 480\n"
              "Distortion factor = 318.000000 242.000000 55.000000 0.970000\n"
              "700.50000 0.25000 310.00000 1.50000 \n"
              "0.00000 702.00000 245.50000 -2.00000 \n"
              "0.00000 0.00000 1.00000 0.00000 \n"
              "--------------------------------------\n");
}

// P = K [R | t] with a known upper-triangular K and rotation R; the
// decomposition must give them back, and the same for -P.
TEST(CameraDecomposition, RecoversIntrinsicsAndTransformWhateverTheSign)
{
    const double K[3][3] = {{800.0, 2.0, 330.0}, {0.0, 790.0, 250.0}, {0.0, 0.0, 1.0}};
    const double a = 0.3, b = -0.2;
    const double R[3][3] = {{std::cos(a), -std::sin(a) * std::cos(b), std::sin(a) * std::sin(b)},
                            {std::sin(a), std::cos(a) * std::cos(b), -std::cos(a) * std::sin(b)},
                            {0.0, std::sin(b), std::cos(b)}};
    const double t[3] = {12.0, -7.0, 450.0};
    double P[3][4];
    for (int r = 0; r < 3; ++r)
    {
        for (int c = 0; c < 3; ++c)
            P[r][c] = K[r][0] * R[0][c] + K[r][1] * R[1][c] + K[r][2] * R[2][c];
        P[r][3] = K[r][0] * t[0] + K[r][1] * t[1] + K[r][2] * t[2];
    }
    double negated[3][4];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            negated[r][c] = -2.0 * P[r][c];

    for (const auto* source : {&P, &negated})
    {
        double cpara[3][4], trans[3][4];
        EXPECT_EQ(decomposeCameraMatrix(*source, cpara, trans), 0);
        for (int r = 0; r < 3; ++r)
        {
            for (int c = 0; c < 3; ++c)
            {
                EXPECT_NEAR(cpara[r][c], K[r][c], K[0][0] * kDecompositionTolerance);
                EXPECT_NEAR(trans[r][c], R[r][c], kDecompositionTolerance);
            }
            EXPECT_EQ(cpara[r][3], 0.0);
            EXPECT_NEAR(trans[r][3], t[r], std::fabs(t[2]) * kDecompositionTolerance);
        }
    }
}
