#include "publish/site_server.h"

#include "publish/site_connection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace
{
// Bounds that keep absurd settings from costing unbounded threads or memory.
constexpr int kMostConnections = 256;
constexpr size_t kLeastHeadBytes = 1024;
constexpr size_t kMostHeadBytes = 1 << 20;
// Connections the kernel holds for the workers before refusing more.
constexpr int kListenBacklog = 64;
// After accept fails for want of descriptors or memory, a worker waits this
// long before trying again instead of spinning on the pending connection.
constexpr int kAcceptRetryMs = 100;

std::string SettingsProblem(const SiteServerSettings& settings)
{
    if (settings.nConnections < 1 || settings.nConnections > kMostConnections)
        return "connections at once must be 1 to " + std::to_string(kMostConnections);
    if (settings.nReadTimeoutMs < 1 || settings.nWriteTimeoutMs < 1)
        return "timeouts must be at least 1 ms";
    if (settings.nMaxHeadBytes < kLeastHeadBytes || settings.nMaxHeadBytes > kMostHeadBytes)
        return "the request head limit must be " + std::to_string(kLeastHeadBytes) + " to " +
               std::to_string(kMostHeadBytes) + " bytes";
    return std::string();
}
} // namespace

CSiteServer::CSiteServer(const SiteServerSettings& settings) : m_settings(settings) {}

CSiteServer::~CSiteServer()
{
    Stop();
}

bool CSiteServer::Start(const std::string& root, int port, std::string* pError)
{
    Stop();
    const std::string problem = SettingsProblem(m_settings);
    if (!problem.empty())
        return Fail(problem, pError);
    if (port < 0 || port > 65535)
        return Fail("port " + std::to_string(port) + " is not 0 to 65535", pError);
    char canonical[PATH_MAX];
    struct stat info;
    if (!realpath(root.c_str(), canonical) || stat(canonical, &info) != 0)
        return Fail(root + ": " + std::strerror(errno), pError);
    if (!S_ISDIR(info.st_mode))
        return Fail(root + ": not a folder", pError);
    m_strRoot = canonical;

    m_nListenFd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int yes = 1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    // Reusing the address lets a server stopped with Ctrl+C start again on
    // the same port at once, while the old connections linger in TIME_WAIT.
    if (m_nListenFd < 0 ||
        setsockopt(m_nListenFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
        bind(m_nListenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_nListenFd, kListenBacklog) != 0 ||
        getsockname(m_nListenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return Fail("cannot listen on 127.0.0.1:" + std::to_string(port) + ": " +
                        std::strerror(errno),
                    pError);
    m_nPort = ntohs(address.sin_port);
    m_nStopFd = eventfd(0, EFD_CLOEXEC);
    if (m_nStopFd < 0)
        return Fail(std::string("cannot serve: ") + std::strerror(errno), pError);
    try
    {
        for (int i = 0; i < m_settings.nConnections; ++i)
            m_workers.emplace_back([this] { AcceptConnections(); });
    }
    catch (const std::system_error& error)
    {
        return Fail(std::string("cannot start the workers: ") + error.what(), pError);
    }
    return true;
}

void CSiteServer::Stop()
{
    if (m_nStopFd >= 0)
    {
        // An eventfd stays readable once written, so every worker's poll
        // sees it, whether it waits for a connection or on a client.
        const uint64_t one = 1;
        const ssize_t written = write(m_nStopFd, &one, sizeof one); // one write cannot overflow it
        (void)written;
    }
    for (std::thread& worker : m_workers)
        worker.join();
    m_workers.clear();
    if (m_nListenFd >= 0)
        close(m_nListenFd);
    if (m_nStopFd >= 0)
        close(m_nStopFd);
    m_nListenFd = -1;
    m_nStopFd = -1;
    m_nPort = 0;
}

bool CSiteServer::Fail(const std::string& reason, std::string* pError)
{
    Stop();
    if (pError)
        *pError = reason;
    return false;
}

// One worker: every worker waits on the listening socket and the one that
// wins accept serves that client to its end, so the number of workers bounds
// the connections served at once.
void CSiteServer::AcceptConnections()
{
    for (;;)
    {
        pollfd fds[2] = {{m_nListenFd, POLLIN, 0}, {m_nStopFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (fds[1].revents != 0)
            return;
        const int client = accept4(m_nListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0)
        {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                poll(&fds[1], 1, kAcceptRetryMs);
            continue;
        }
        // An answer's head and body go out as separate writes; without this
        // the body would wait for the head's delayed acknowledgement.
        const int yes = 1;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        CSiteConnection(client, m_nStopFd, m_strRoot, m_settings).Serve();
    }
}
