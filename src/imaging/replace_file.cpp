#include "imaging/replace_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool Fail(AtomicWriteFailure* failure, AtomicWriteFailure::Stage stage, int fd,
          const std::string& temporary)
{
    failure->stage = stage;
    failure->error = errno;
    if (fd >= 0)
        close(fd);
    unlink(temporary.c_str());
    return false;
}
} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         AtomicWriteFailure* failure)
{
    std::string temporary = path + ".saving-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
    {
        failure->stage = AtomicWriteFailure::Create;
        failure->error = errno;
        return false;
    }
    size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return Fail(failure, AtomicWriteFailure::Write, fd, temporary);
        done += static_cast<size_t>(put);
    }
    // The files we write are plain user documents: the usual permissions,
    // not mkstemp's owner-only ones.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    if (fsync(fd) != 0)
        return Fail(failure, AtomicWriteFailure::Write, fd, temporary);
    if (close(fd) != 0)
        return Fail(failure, AtomicWriteFailure::Write, -1, temporary);
    if (rename(temporary.c_str(), path.c_str()) != 0)
        return Fail(failure, AtomicWriteFailure::Replace, -1, temporary);
    return true;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, const std::string& what,
                 std::string* error)
{
    AtomicWriteFailure failure;
    if (WriteFileAtomically(path, bytes, &failure))
        return true;
    if (failure.stage == AtomicWriteFailure::Create)
        *error = path + ": " + std::strerror(failure.error);
    else
        *error = path + ": cannot write the " + what;
    return false;
}
