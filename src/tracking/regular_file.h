#pragma once
// Whether a path names a regular file. Checked before opening what a user
// named: opening a FIFO blocks until some writer comes, and a device or a
// folder is no data file.

#include <sys/stat.h>

inline bool IsRegularFile(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}
