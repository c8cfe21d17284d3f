#include "publish/site_connection.h"

#include "publish/site_files.h"
#include "publish/site_request.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
// Files go out in pieces of this size, so a large model costs each
// connection one buffer, not its size.
constexpr size_t kChunkBytes = 64 * 1024;
// ReadHead's result when the client left or the server stops: nothing to answer.
constexpr int kGone = -1;

const char* Reason(int status)
{
    switch (status)
    {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 431:
        return "Request Header Fields Too Large";
    }
    return "Internal Server Error";
}

std::string AnswerHead(int status, const char* type, long long length, const std::string& fields,
                       bool bKeepAlive)
{
    return "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) +
           "\r\nContent-Type: " + type + "\r\nContent-Length: " + std::to_string(length) +
           "\r\nCache-Control: no-cache\r\n" + fields +
           "Connection: " + (bKeepAlive ? "keep-alive" : "close") + "\r\n\r\n";
}
} // namespace

CSiteConnection::CSiteConnection(int nSocket, int nStopFd, const std::string& root,
                                 const SiteServerSettings& settings)
    : m_nSocket(nSocket), m_nStopFd(nStopFd), m_strRoot(root), m_settings(settings)
{
}

CSiteConnection::~CSiteConnection()
{
    close(m_nSocket);
}

void CSiteConnection::Serve()
{
    for (;;)
    {
        std::string head;
        const int status = ReadHead(&head);
        if (status == kGone)
            return;
        SiteRequest request;
        if (status != 200 || !ParseRequestHead(head, &request))
        {
            SendStatus(status != 200 ? status : 400, "", false, true);
            return;
        }
        if (!Answer(request))
            return;
    }
}

// True when the socket is ready for `events` or has failed (the next call
// says how); false on timeout and once the server stops.
bool CSiteConnection::WaitFor(short events, int timeoutMs) const
{
    pollfd fds[2] = {{m_nSocket, events, 0}, {m_nStopFd, POLLIN, 0}};
    for (;;)
    {
        const int ready = poll(fds, 2, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && fds[1].revents == 0;
    }
}

// 200 with the next request head taken from the buffer; 408 or 431 for a
// head that came too slowly or is too long; kGone when there is no request.
int CSiteConnection::ReadHead(std::string* head)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(m_settings.nReadTimeoutMs);
    size_t searchFrom = 0;
    for (;;)
    {
        const size_t end = m_strBuffer.find("\r\n\r\n", searchFrom);
        if (end != std::string::npos)
        {
            if (end + 4 > m_settings.nMaxHeadBytes)
                return 431;
            *head = m_strBuffer.substr(0, end);
            m_strBuffer.erase(0, end + 4);
            return 200;
        }
        if (m_strBuffer.size() >= m_settings.nMaxHeadBytes)
            return 431;
        searchFrom = m_strBuffer.size() < 3 ? 0 : m_strBuffer.size() - 3;
        const long long leftMs =
            duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        // An idle persistent connection just closes; a head begun gets told.
        if (leftMs <= 0 || !WaitFor(POLLIN, static_cast<int>(leftMs)))
            return m_strBuffer.empty() ? kGone : 408;
        char chunk[4096];
        const size_t room = std::min(sizeof chunk, m_settings.nMaxHeadBytes - m_strBuffer.size());
        const ssize_t got = recv(m_nSocket, chunk, room, 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
            return kGone;
        if (got > 0)
            m_strBuffer.append(chunk, static_cast<size_t>(got));
    }
}

// Answers one parsed request; false when the connection ends after it.
bool CSiteConnection::Answer(const SiteRequest& request)
{
    // The server never reads a request body, so the connection cannot go on
    // past one: its bytes would be read as the next request.
    const bool bKeepAlive = request.bKeepAlive && !request.bHasBody;
    const bool bBody = request.strMethod != "HEAD";
    if (bBody && request.strMethod != "GET")
        return SendStatus(405, "Allow: GET, HEAD\r\n", bKeepAlive, true) && bKeepAlive;
    const SiteTarget target = ResolveSiteTarget(m_strRoot, request.strTarget);
    if (target.nStatus == 200)
        return SendFile(target.strPath, bKeepAlive, bBody) && bKeepAlive;
    const std::string fields =
        target.nStatus == 301 ? "Location: " + target.strLocation + "\r\n" : std::string();
    const bool bGoOn = bKeepAlive && target.nStatus != 400;
    return SendStatus(target.nStatus, fields, bGoOn, bBody) && bGoOn;
}

bool CSiteConnection::SendFile(const std::string& path, bool bKeepAlive, bool bBody)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const int openError = fd < 0 ? errno : 0;
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
    {
        if (fd >= 0)
            close(fd);
        return SendStatus(openError == EACCES ? 403 : 404, "", bKeepAlive, bBody);
    }
    const std::string head = AnswerHead(200, SiteContentType(path), info.st_size, "", bKeepAlive);
    bool bSent = SendAll(head.data(), head.size());
    std::vector<char> chunk(bBody && bSent ? kChunkBytes : 0);
    for (off_t left = bBody ? info.st_size : 0; bSent && left > 0;)
    {
        const ssize_t got =
            read(fd, chunk.data(), static_cast<size_t>(std::min<off_t>(left, kChunkBytes)));
        // A file cut short while it goes out cannot fill the length already
        // promised; ending the connection tells the client.
        bSent = got > 0 && SendAll(chunk.data(), static_cast<size_t>(got));
        left -= got;
    }
    close(fd);
    return bSent;
}

bool CSiteConnection::SendStatus(int status, const std::string& fields, bool bKeepAlive, bool bBody)
{
    const std::string body = std::to_string(status) + " " + Reason(status) + "\n";
    std::string answer = AnswerHead(status, "text/plain; charset=utf-8",
                                    static_cast<long long>(body.size()), fields, bKeepAlive);
    if (bBody)
        answer += body;
    return SendAll(answer.data(), answer.size());
}

bool CSiteConnection::SendAll(const char* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t sent = send(m_nSocket, data, size, MSG_NOSIGNAL);
        if (sent > 0)
        {
            data += sent;
            size -= static_cast<size_t>(sent);
        }
        else if (errno == EAGAIN || errno == EWOULDBLOCK)
        {
            if (!WaitFor(POLLOUT, m_settings.nWriteTimeoutMs))
                return false;
        }
        else if (errno != EINTR)
            return false;
    }
    return true;
}
