#include "cli/library_output.h"

#include <cstdio>
#include <unistd.h>

CLibraryOutputToStderr::CLibraryOutputToStderr()
{
    std::fflush(stdout);
    m_nSavedStdout = dup(STDOUT_FILENO);
    if (m_nSavedStdout >= 0 && dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
    {
        close(m_nSavedStdout);
        m_nSavedStdout = -1;
    }
}

CLibraryOutputToStderr::~CLibraryOutputToStderr()
{
    if (m_pData)
        std::fclose(m_pData);
    if (m_nSavedStdout < 0)
        return;
    std::fflush(stdout);
    dup2(m_nSavedStdout, STDOUT_FILENO);
    close(m_nSavedStdout);
}

void CLibraryOutputToStderr::WriteData(const std::string& text)
{
    if (m_nSavedStdout < 0)
    {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return;
    }
    std::fflush(stdout);
    size_t written = 0;
    while (written < text.size())
    {
        const ssize_t n = write(m_nSavedStdout, text.data() + written, text.size() - written);
        if (n <= 0)
            return;
        written += static_cast<size_t>(n);
    }
}

std::FILE* CLibraryOutputToStderr::Data()
{
    if (m_nSavedStdout < 0)
        return stdout;
    if (!m_pData)
    {
        const int fd = dup(m_nSavedStdout);
        m_pData = fd >= 0 ? fdopen(fd, "w") : nullptr;
        if (!m_pData)
        {
            if (fd >= 0)
                close(fd);
            return stdout;
        }
    }
    return m_pData;
}
