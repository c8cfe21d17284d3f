#include "formats/project_file.h"

#include <cerrno>
#include <cstdio>
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
    int Release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

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
    const std::string temporary = path + ".saving-XXXXXX";
    std::string name = temporary;
    FileDescriptor file(mkstemp(name.data()));
    if (file.Get() < 0)
        throw SystemError("cannot create a file in the project's folder");

    const auto fail = [&](const std::string& what) {
        const std::runtime_error error = SystemError(what);
        close(file.Release());
        unlink(name.c_str());
        return error;
    };

    size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t put = write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw fail("cannot write");
        done += static_cast<size_t>(put);
    }
    // Project files are plain user documents: the usual permissions, not
    // mkstemp's owner-only ones.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(file.Get(), 0666 & ~mask);
    if (fsync(file.Get()) != 0)
        throw fail("cannot write");
    if (close(file.Release()) != 0)
    {
        const std::runtime_error error = SystemError("cannot write");
        unlink(name.c_str());
        throw error;
    }
    if (rename(name.c_str(), path.c_str()) != 0)
    {
        const std::runtime_error error = SystemError("cannot replace the file");
        unlink(name.c_str());
        throw error;
    }
}

std::string AbsoluteProjectPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}
