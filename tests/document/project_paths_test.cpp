#include "document/project_paths.h"

#include <gtest/gtest.h>

namespace
{
struct PathCase
{
    const char* input;
    const char* projectDir;
    const char* expected;
};
} // namespace

TEST(ProjectPaths, BrowsedFilesAreStoredRelativeToTheProjectFolder)
{
    const PathCase cases[] = {
        {"/w/p/a.patt", "/w/p/", "a.patt"},
        {"/w/markers/a.patt", "/w/p/", "../markers/a.patt"},
        {"/w/p/sub/a.patt", "/w/p/", "sub/a.patt"},
        {"/w/p/../m/a.patt", "/w/p", "../m/a.patt"},
        {"/a.patt", "/", "a.patt"},
        {"/w/p/a.patt", "", "/w/p/a.patt"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(ProjectRelativePath(c.input, c.projectDir), c.expected)
            << c.input << " in " << c.projectDir;
}

TEST(ProjectPaths, StoredNamesResolveAgainstTheProjectFolder)
{
    const PathCase cases[] = {
        {"a.patt", "/w/p/", "/w/p/a.patt"},
        {"../m/a.patt", "/w/p/", "/w/m/a.patt"},
        {"/abs/a.patt", "/w/p/", "/abs/a.patt"},
        {"a.patt", "", "a.patt"},
        {"", "/w/p/", ""},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(ResolveProjectPath(c.input, c.projectDir), c.expected)
            << c.input << " in " << c.projectDir;
}
