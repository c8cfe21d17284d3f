#include "cli_runner.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace
{
const char* const kRule = "--------------------------------------\n";

std::string Printout(const std::string& size, const std::string& distortion,
                     const std::string& row0, const std::string& row1)
{
    return std::string(kRule) + "SIZE = " + size + "\nDistortion factor = " + distortion + "\n" +
           row0 + " \n" + row1 + " \n0.00000 0.00000 1.00000 0.00000 \n" + kRule;
}
} // namespace

TEST(CameraCli, MakeWritesAPinholeRecordThatShowPrints)
{
    ScratchFolder folder;
    const std::string path = folder.Path("cam.dat");
    const CliResult made = RunCli({"camera", "make", "--size", "640", "480", "--fov", "90", path});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 136u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x00\x00\x02\x80\x00\x00\x01\xE0", 8));

    // A 90 degree field over 640 pixels puts the focal length at 320.
    const CliResult shown = RunCli({"camera", "show", path});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, Printout("640, 480", "320.000000 240.000000 0.000000 1.000000",
                                  "320.00000 0.00000 320.00000 0.00000",
                                  "0.00000 320.00000 240.00000 0.00000"));

    const CliResult resized = RunCli({"camera", "show", path, "--size", "320", "240"});
    ASSERT_EQ(resized.exitCode, 0) << resized.err;
    EXPECT_EQ(resized.out, Printout("320, 240", "160.000000 120.000000 0.000000 1.000000",
                                    "160.00000 0.00000 160.00000 0.00000",
                                    "0.00000 160.00000 120.00000 0.00000"));
}

TEST(CameraCli, FocalLengthAndCentreCanBeGiven)
{
    ScratchFolder folder;
    const std::string path = folder.Path("cam.dat");
    ASSERT_EQ(RunCli({"camera", "make", "--size", "800", "600", "--focal", "750.5", "--center",
                      "410", "290.25", path})
                  .exitCode,
              0);
    EXPECT_EQ(RunCli({"camera", "show", path}).out,
              Printout("800, 600", "410.000000 290.250000 0.000000 1.000000",
                       "750.50000 0.00000 410.00000 0.00000",
                       "0.00000 750.50000 290.25000 0.00000"));
}
