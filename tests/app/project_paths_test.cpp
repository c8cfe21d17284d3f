#include "app/project_paths.h"

#include <gtest/gtest.h>

#include <ostream>

namespace
{
struct PathCase
{
    const char* input;
    const char* projectDir;
    const char* expected;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << '"' << c.input << "\" in \"" << c.projectDir << '"';
}

class RelativePath : public ::testing::TestWithParam<PathCase>
{
};

class ResolvedPath : public ::testing::TestWithParam<PathCase>
{
};
} // namespace

TEST_P(RelativePath, IsWhatTheProjectStores)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(ProjectRelativePath(c.input, c.projectDir), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ProjectPaths, RelativePath,
                         ::testing::Values(PathCase{"/w/p/a.patt", "/w/p/", "a.patt"},
                                           PathCase{"/w/markers/a.patt", "/w/p/",
                                                    "../markers/a.patt"},
                                           PathCase{"/w/p/sub/a.patt", "/w/p/", "sub/a.patt"},
                                           PathCase{"/w/p/../m/a.patt", "/w/p", "../m/a.patt"},
                                           PathCase{"/a.patt", "/", "a.patt"},
                                           PathCase{"/w/p/a.patt", "", "/w/p/a.patt"}));

TEST_P(ResolvedPath, FindsTheStoredFile)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(ResolveProjectPath(c.input, c.projectDir), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ProjectPaths, ResolvedPath,
                         ::testing::Values(PathCase{"a.patt", "/w/p/", "/w/p/a.patt"},
                                           PathCase{"../m/a.patt", "/w/p/", "/w/m/a.patt"},
                                           PathCase{"/abs/a.patt", "/w/p/", "/abs/a.patt"},
                                           PathCase{"a.patt", "", "a.patt"},
                                           PathCase{"", "/w/p/", ""}));
