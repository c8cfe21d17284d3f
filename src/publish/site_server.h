#pragma once
// A static web server for one published folder, on 127.0.0.1 only, so a
// browser can try the site at once (cameras need HTTPS except on localhost)
// and the browser tests can load it. GET and HEAD over HTTP/1.1 with
// persistent connections; nothing outside the folder is served.
//
// Start returns once the socket listens; a fixed set of worker threads then
// accepts and serves, one connection each, until Stop. The owner's thread is
// free meanwhile: a command line blocks SIGINT before Start (the workers
// inherit the mask), waits for it with sigwait and calls Stop. Start, Stop
// and the queries belong to the owner's thread.

#include <cstddef>
#include <string>
#include <thread>
#include <vector>

struct SiteServerSettings
{
    // Connections served at once (one worker thread each); more wait in the
    // listen queue. A browser opens six to one host.
    int nConnections = 16;
    // A request head must be complete this long after the connection opened
    // or the previous answer went out; a silent or trickling client is
    // dropped then and its worker freed.
    int nReadTimeoutMs = 10000;
    // A client that takes no bytes of an answer for this long is dropped.
    int nWriteTimeoutMs = 30000;
    // The request line and all fields together; a longer head gets 431.
    size_t nMaxHeadBytes = 16 * 1024;
};

class CSiteServer
{
  public:
    explicit CSiteServer(const SiteServerSettings& settings = SiteServerSettings());
    ~CSiteServer();
    CSiteServer(const CSiteServer&) = delete;
    CSiteServer& operator=(const CSiteServer&) = delete;

    // Serves the folder `root` on 127.0.0.1:`port` (0 picks a free port).
    // False with a one-line reason when the folder, the settings or the
    // port will not do; the server is stopped then.
    bool Start(const std::string& root, int port, std::string* pError);
    // Closes the socket, wakes every worker, even one waiting on a silent or
    // stalled client, and joins them. Harmless when not serving.
    void Stop();

    bool Serving() const { return m_nListenFd >= 0; }
    // The port being served, 0 when stopped.
    int Port() const { return m_nPort; }
    // The folder's canonical path.
    const std::string& Root() const { return m_strRoot; }

  private:
    void AcceptConnections();
    bool Fail(const std::string& reason, std::string* pError);

    const SiteServerSettings m_settings;
    std::string m_strRoot;
    int m_nPort = 0;
    int m_nListenFd = -1;
    int m_nStopFd = -1; // an eventfd, readable from Stop on
    std::vector<std::thread> m_workers;
};
