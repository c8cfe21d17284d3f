#pragma once
// Entry points of the window's test suites and what they share: a project
// with a test-pattern video and a camera, and message boxes answered by
// the test.

#include "support/recording_messages.h"
#include "support/project_fixture.h"


int RunViewTests(int argc, char** argv);
int RunMainFrameTests(int argc, char** argv);
int RunNavigatorTests(int argc, char** argv);
int RunDemoWindowTests(int argc, char** argv);

// Writes into `folder` a 64 x 48 test-pattern video configuration "v.cfg"
// (or `pipeline` instead), a camera "c.dat" for it and an empty project
// "p.zel" using both; returns the project's path.
std::string WriteVideoProject(const ScratchFolder& folder,
                              const std::string& pipeline = "videotestsrc ! "
                                                            "video/x-raw,width=64,height=48");
