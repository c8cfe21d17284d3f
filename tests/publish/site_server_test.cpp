#include "publish/site_server.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
// Every read gives up after this long, so a server that never answers fails
// the test instead of hanging it; no result depends on it.
constexpr int kClientPatienceSec = 20;
// Long enough that no timeout fires while a test runs: only Stop can end
// these waits.
constexpr int kForeverMs = 3600 * 1000;
const std::string kWasm("\0asm\x01\0\0\0\r\n\x80\xff", 12);

int Connect(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval patience{kClientPatienceSec, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    {
        close(fd);
        return -1;
    }
    return fd;
}

// Up to `most` bytes, or all until the server closes.
std::string Receive(int fd, size_t most = std::string::npos)
{
    std::string bytes;
    char chunk[4096];
    ssize_t got = 0;
    while (bytes.size() < most &&
           (got = recv(fd, chunk, std::min(sizeof chunk, most - bytes.size()), 0)) > 0)
        bytes.append(chunk, static_cast<size_t>(got));
    return bytes;
}

std::string Exchange(int port, const std::string& request)
{
    const int fd = Connect(port);
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    const std::string answer = Receive(fd);
    close(fd);
    return answer;
}

std::string Get(const std::string& requestStart)
{
    return requestStart + "\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

struct Answer
{
    int status = 0;
    std::string head;
    std::string body;

    bool Has(const std::string& field) const
    {
        return head.find("\r\n" + field + "\r\n") != std::string::npos;
    }
};

Answer Parse(const std::string& bytes)
{
    Answer answer;
    const size_t end = bytes.find("\r\n\r\n");
    answer.head = bytes.substr(0, end == std::string::npos ? bytes.size() : end + 2);
    answer.body = end == std::string::npos ? "" : bytes.substr(end + 4);
    if (bytes.compare(0, 9, "HTTP/1.1 ") == 0)
        answer.status = std::atoi(bytes.c_str() + 9);
    return answer;
}

// One request on a connection of its own; `requestStart` is the request line
// and any fields before Host and Connection.
Answer Fetch(int port, const std::string& requestStart)
{
    return Parse(Exchange(port, Get(requestStart)));
}

// A published folder, with a secret beside it that must never come out.
class SiteServerTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        fs::create_directories(Site("models"));
        fs::create_directories(Site("empty"));
        WriteBytes(Site("index.html"), "<!doctype html><title>Zelmora</title>\n");
        WriteBytes(Site("app.js"), "import './worker.mjs';\n");
        WriteBytes(Site("worker.mjs"), "onmessage = () => {};\n");
        WriteBytes(Site("tracker.wasm"), kWasm);
        WriteBytes(Site("scene.gltf"), R"({"asset":{"version":"2.0"}})");
        WriteBytes(Site("marker.patt"), " 12 34\n");
        WriteBytes(Site("Señal 1.PNG"), "\x89PNG\r\n\x1a\n");
        WriteBytes(Site("models/index.html"), "<p>models</p>\n");
        WriteBytes(m_folder.Path("secret.txt"), "secret");
        fs::create_symlink("../secret.txt", Site("out.txt"));
        fs::create_symlink("..", Site("up"));
    }

    std::string Site(const std::string& name) const { return m_folder.Path("site/" + name); }

    // Serves the folder; the port, 0 when the server would not start.
    int Serve(const SiteServerSettings& settings = SiteServerSettings())
    {
        m_pServer = std::make_unique<CSiteServer>(settings);
        std::string error;
        EXPECT_TRUE(m_pServer->Start(m_folder.Path("site"), 0, &error)) << error;
        return m_pServer->Port();
    }

    ScratchFolder m_folder;
    std::unique_ptr<CSiteServer> m_pServer;
};

struct ServedCase
{
    const char* name;
    const char* target;
    const char* file;
    const char* type;
};

void PrintTo(const ServedCase& c, std::ostream* out)
{
    *out << c.name;
}

class ServedFile : public SiteServerTest, public testing::WithParamInterface<ServedCase>
{
};

TEST_P(ServedFile, ComesWhole)
{
    const ServedCase& c = GetParam();
    const Answer answer = Fetch(Serve(), std::string("GET ") + c.target + " HTTP/1.1");
    const std::string bytes = ReadBytes(Site(c.file));
    EXPECT_EQ(answer.status, 200) << answer.head;
    EXPECT_TRUE(answer.Has(std::string("Content-Type: ") + c.type)) << answer.head;
    EXPECT_TRUE(answer.Has("Content-Length: " + std::to_string(bytes.size()))) << answer.head;
    EXPECT_TRUE(answer.Has("Cache-Control: no-cache")) << answer.head;
    EXPECT_EQ(answer.body, bytes);
}

const ServedCase kServed[] = {
    {"Root", "/", "index.html", "text/html; charset=utf-8"},
    {"Script", "/app.js?v=3", "app.js", "text/javascript; charset=utf-8"},
    {"ModuleWorker", "/worker.mjs", "worker.mjs", "text/javascript; charset=utf-8"},
    {"WebAssembly", "/tracker.wasm", "tracker.wasm", "application/wasm"},
    {"Model", "/scene.gltf", "scene.gltf", "model/gltf+json"},
    {"OtherFile", "/marker.patt", "marker.patt", "application/octet-stream"},
    {"EncodedName", "/Se%C3%B1al%201.PNG", "Señal 1.PNG", "image/png"},
    {"FolderIndex", "/models/", "models/index.html", "text/html; charset=utf-8"},
};

INSTANTIATE_TEST_SUITE_P(Files, ServedFile, testing::ValuesIn(kServed),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase
{
    const char* name;
    std::string request; // up to the end of the fields given; Host and Connection follow
    int status;
    const char* field; // one field the answer must hold, or ""
};

void PrintTo(const RefusedCase& c, std::ostream* out)
{
    *out << c.name;
}

class RefusedRequest : public SiteServerTest, public testing::WithParamInterface<RefusedCase>
{
};

TEST_P(RefusedRequest, IsAnsweredWithoutLeaking)
{
    const RefusedCase& c = GetParam();
    const Answer answer = Fetch(Serve(), c.request);
    EXPECT_EQ(answer.status, c.status) << answer.head;
    if (*c.field)
    {
        EXPECT_TRUE(answer.Has(c.field)) << answer.head;
    }
    EXPECT_EQ(answer.body.find("secret"), std::string::npos);
}

const RefusedCase kRefused[] = {
    {"DotDot", "GET /../secret.txt HTTP/1.1", 403, ""},
    {"EncodedDots", "GET /%2e%2E/secret.txt HTTP/1.1", 403, ""},
    {"EncodedSlashes", "GET /models%2F..%2F..%2Fsecret.txt HTTP/1.1", 403, ""},
    {"EncodedNul", "GET /index.html%00.png HTTP/1.1", 403, ""},
    {"AbsolutePath", "GET //etc/passwd HTTP/1.1", 404, ""},
    {"LinkOut", "GET /out.txt HTTP/1.1", 404, ""},
    {"ThroughLinkedFolder", "GET /up/secret.txt HTTP/1.1", 404, ""},
    {"Missing", "GET /missing.js HTTP/1.1", 404, ""},
    {"FolderWithoutIndex", "GET /empty/ HTTP/1.1", 404, ""},
    {"FolderWithoutSlash", "GET /models?v=3 HTTP/1.1", 301, "Location: /models/?v=3"},
    {"Post", "POST /index.html HTTP/1.1", 405, "Allow: GET, HEAD"},
    {"BrokenEscape", "GET /%zz HTTP/1.1", 400, ""},
    {"TargetWithoutSlash", "GET secret.txt HTTP/1.1", 400, ""},
    {"OtherVersion", "GET / HTTP/2.0", 400, ""},
    {"NotHttp", "hello", 400, ""},
    {"FieldWithoutColon", "GET / HTTP/1.1\r\nAccept text/html", 400, ""},
    {"FoldedField", "GET / HTTP/1.1\r\nAccept: text/html\r\n image/png", 400, ""},
    {"LengthNotANumber", "GET / HTTP/1.1\r\nContent-Length: -1", 400, ""},
    {"HeadTooLong", "GET / HTTP/1.1\r\nCookie: " + std::string(20000, 'a'), 431, ""},
};

INSTANTIATE_TEST_SUITE_P(Requests, RefusedRequest, testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SiteServerTest, HeadGivesTheLengthWithoutTheBody)
{
    const Answer answer = Fetch(Serve(), "HEAD /tracker.wasm HTTP/1.1");
    EXPECT_EQ(answer.status, 200);
    EXPECT_TRUE(answer.Has("Content-Length: " + std::to_string(kWasm.size()))) << answer.head;
    EXPECT_EQ(answer.body, "");
}

TEST_F(SiteServerTest, PipelinedRequestsAreAnsweredInOrderOnOneConnection)
{
    const std::string bytes = Exchange(Serve(), "GET /tracker.wasm HTTP/1.1\r\nHost: a\r\n\r\n" +
                                                    Get("GET /app.js HTTP/1.1"));
    const Answer first = Parse(bytes);
    EXPECT_TRUE(first.Has("Connection: keep-alive")) << first.head;
    ASSERT_EQ(first.body.compare(0, kWasm.size(), kWasm), 0);
    const Answer second = Parse(first.body.substr(kWasm.size()));
    EXPECT_EQ(second.status, 200);
    EXPECT_EQ(second.body, ReadBytes(Site("app.js")));
}

TEST_F(SiteServerTest, ClientsTooSlowForTheReadTimeoutAreDropped)
{
    SiteServerSettings settings;
    settings.nReadTimeoutMs = 50;
    const int port = Serve(settings);
    const int silent = Connect(port);
    const int trickling = Connect(port);
    send(trickling, "GET / HT", 8, MSG_NOSIGNAL);
    EXPECT_EQ(Receive(silent), "");
    EXPECT_EQ(Parse(Receive(trickling)).status, 408);
    close(silent);
    close(trickling);
}

TEST_F(SiteServerTest, WaitingAndStalledClientsHoldUpNeitherOthersNorStop)
{
    // Larger than what the two sockets' buffers hold, so its sender stalls.
    constexpr int kBigBytes = 64 << 20;
    WriteBytes(Site("big.bin"), "");
    std::filesystem::resize_file(Site("big.bin"), kBigBytes);
    SiteServerSettings settings;
    settings.nReadTimeoutMs = kForeverMs;
    settings.nWriteTimeoutMs = kForeverMs;
    const int port = Serve(settings);
    const int silent = Connect(port);
    const int trickling = Connect(port);
    send(trickling, "GET / HT", 8, MSG_NOSIGNAL);
    const int stalled = Connect(port);
    const std::string request = Get("GET /big.bin HTTP/1.1");
    send(stalled, request.data(), request.size(), MSG_NOSIGNAL);
    ASSERT_EQ(Receive(stalled, 15), "HTTP/1.1 200 OK");
    EXPECT_EQ(Fetch(port, "GET /app.js HTTP/1.1").status, 200);

    m_pServer->Stop();
    EXPECT_EQ(Receive(silent), "");
    EXPECT_LT(Receive(stalled).size(), size_t(kBigBytes));
    EXPECT_EQ(m_pServer->Port(), 0);
    EXPECT_EQ(Connect(port), -1);
    for (int fd : {silent, trickling, stalled})
        close(fd);
}

TEST_F(SiteServerTest, StartRefusesWhatCannotBeServed)
{
    const int port = Serve();
    std::string error;
    CSiteServer second;
    EXPECT_FALSE(second.Start(m_folder.Path("site"), port, &error));
    EXPECT_NE(error.find("cannot listen on 127.0.0.1:"), std::string::npos) << error;
    EXPECT_FALSE(second.Serving());
    EXPECT_FALSE(second.Start(m_folder.Path("nowhere"), 0, &error));
    EXPECT_NE(error.find("nowhere"), std::string::npos) << error;
    EXPECT_FALSE(second.Start(Site("index.html"), 0, &error));
    EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
    SiteServerSettings absurd;
    absurd.nConnections = 0;
    EXPECT_FALSE(CSiteServer(absurd).Start(m_folder.Path("site"), 0, &error));
    EXPECT_NE(error.find("connections"), std::string::npos) << error;
    EXPECT_EQ(Fetch(port, "GET / HTTP/1.1").status, 200);
}
} // namespace
