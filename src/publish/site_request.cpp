#include "publish/site_request.h"

#include <cstring>

namespace
{
bool IsTokenChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c != '\0' && std::strchr("!#$%&'*+-.^_`|~", c) != nullptr);
}

bool IsToken(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!IsTokenChar(c))
            return false;
    return true;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// True when the comma-separated list `value` holds `token`, in any case.
bool ListHolds(const std::string& value, const char* token)
{
    size_t start = 0;
    for (;;)
    {
        const size_t comma = value.find(',', start);
        if (Lower(Trimmed(value.substr(start, comma - start))) == token)
            return true;
        if (comma == std::string::npos)
            return false;
        start = comma + 1;
    }
}

bool ParseRequestLine(const std::string& line, SiteRequest* request, bool* pHttp10)
{
    const size_t methodEnd = line.find(' ');
    const size_t targetEnd = line.find(' ', methodEnd == std::string::npos ? 0 : methodEnd + 1);
    if (targetEnd == std::string::npos || line.find(' ', targetEnd + 1) != std::string::npos)
        return false;
    request->strMethod = line.substr(0, methodEnd);
    request->strTarget = line.substr(methodEnd + 1, targetEnd - methodEnd - 1);
    const std::string version = line.substr(targetEnd + 1);
    if (!IsToken(request->strMethod) || request->strTarget.empty() ||
        (version != "HTTP/1.1" && version != "HTTP/1.0"))
        return false;
    // Visible ASCII only: browsers percent-encode the rest, and a target that
    // may go back into a Location field must not carry line breaks.
    for (char c : request->strTarget)
        if (c <= ' ' || c > '~')
            return false;
    *pHttp10 = version == "HTTP/1.0";
    return true;
}
} // namespace

bool ParseRequestHead(const std::string& head, SiteRequest* request)
{
    *request = SiteRequest();
    size_t lineEnd = head.find("\r\n");
    bool bHttp10 = false;
    if (!ParseRequestLine(head.substr(0, lineEnd), request, &bHttp10))
        return false;
    bool bClose = false;
    bool bKeepAliveAsked = false;
    while (lineEnd != std::string::npos)
    {
        const size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string line =
            head.substr(start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
        const size_t colon = line.find(':');
        // The name must touch the colon and start the line: a folded line or
        // a space before the colon is how requests get smuggled past proxies.
        if (colon == std::string::npos || !IsToken(line.substr(0, colon)))
            return false;
        const std::string value = Trimmed(line.substr(colon + 1));
        for (char c : value)
            if ((static_cast<unsigned char>(c) < ' ' && c != '\t') || c == '\x7f')
                return false;
        const std::string name = Lower(line.substr(0, colon));
        if (name == "connection")
        {
            bClose = bClose || ListHolds(value, "close");
            bKeepAliveAsked = bKeepAliveAsked || ListHolds(value, "keep-alive");
        }
        else if (name == "content-length")
        {
            if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
                return false;
            request->bHasBody =
                request->bHasBody || value.find_first_not_of('0') != std::string::npos;
        }
        else if (name == "transfer-encoding")
            request->bHasBody = true;
    }
    request->bKeepAlive = !bClose && (!bHttp10 || bKeepAliveAsked);
    return true;
}
