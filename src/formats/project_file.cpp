#include "formats/project_file.h"

#include "imaging/replace_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Thousands of trackers fit in a few megabytes; anything near this is not a
// project file and is refused before it is read into memory.
constexpr off_t kMaxProjectBytes = 64 * 1024 * 1024;

std::runtime_error SystemError(const std::string& what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    int Get() const { return m_fd; }

private:
    int m_fd;
};
} // namespace

std::string ReadProjectFile(const std::string& path)
{
    // Not blocking on open: a FIFO would otherwise wait for a writer before
    // the check below could refuse it.
    FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
        throw SystemError("cannot open");
    struct stat info;
    if (fstat(file.Get(), &info) != 0)
        throw SystemError("cannot read");
    if (!S_ISREG(info.st_mode))
        throw std::runtime_error("not a regular file");
    if (info.st_size > kMaxProjectBytes)
        throw std::runtime_error("file of " + std::to_string(info.st_size) +
                                 " bytes is too large for a project");

    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t got = read(file.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw SystemError("cannot read");
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

void WriteProjectFileAtomically(const std::string& path, const std::string& bytes)
{
    AtomicWriteFailure failure;
    if (WriteFileAtomically(path, bytes, &failure))
        return;
    errno = failure.error;
    switch (failure.stage)
    {
    case AtomicWriteFailure::Create:
        throw SystemError("cannot create a file in the project's folder");
    case AtomicWriteFailure::Write:
        throw SystemError("cannot write");
    case AtomicWriteFailure::Replace:
        break;
    }
    throw SystemError("cannot replace the file");
}

std::string AbsoluteProjectPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}
