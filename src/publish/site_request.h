#pragma once
// The head of one HTTP/1.1 request as the site server reads it: the request
// line and the few fields that decide how the connection goes on. Plain
// parsing without sockets, so every malformed head is refused in one place.

#include <string>

struct SiteRequest
{
    std::string strMethod;
    std::string strTarget;  // as sent: percent-encoded, with any query
    bool bKeepAlive = true; // HTTP/1.1 without "Connection: close", or 1.0 asking for it
    bool bHasBody =
        false; // a body the server will not read, so the connection ends after the answer
};

// Parses `head`, the bytes before the blank line that ends it. False when it
// is not a well-formed request head: a request line other than
// "METHOD /target HTTP/1.x", a field without a name and a colon, a folded
// line, control characters, a Content-Length that is not a number.
bool ParseRequestHead(const std::string& head, SiteRequest* request);
