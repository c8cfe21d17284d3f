#pragma once
// One accepted client of CSiteServer, served by one worker thread until the
// client closes, breaks the protocol, goes silent, or the server stops.
// Every wait polls the server's stop descriptor too, so Stop never waits
// for a client.

#include "publish/site_server.h"

#include <string>

struct SiteRequest;

class CSiteConnection
{
  public:
    // Takes ownership of the non-blocking socket `nSocket`.
    CSiteConnection(int nSocket, int nStopFd, const std::string& root,
                    const SiteServerSettings& settings);
    ~CSiteConnection();
    CSiteConnection(const CSiteConnection&) = delete;
    CSiteConnection& operator=(const CSiteConnection&) = delete;

    // Answers requests until the connection ends.
    void Serve();

  private:
    bool WaitFor(short events, int timeoutMs) const;
    int ReadHead(std::string* head);
    bool Answer(const SiteRequest& request);
    bool SendFile(const std::string& path, bool bKeepAlive, bool bBody);
    bool SendStatus(int status, const std::string& fields, bool bKeepAlive, bool bBody);
    bool SendAll(const char* data, size_t size);

    const int m_nSocket;
    const int m_nStopFd;
    const std::string& m_strRoot;
    const SiteServerSettings& m_settings;
    std::string m_strBuffer; // bytes received and not yet parsed: a pipelined request
};
