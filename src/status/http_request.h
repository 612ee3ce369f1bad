// The status server's request reader: just what a read-only server needs
// (the request line and the headers up to the blank line), nothing more.
// Bytes come from anyone who can reach the port, so every limit is checked
// here, before anything else looks at them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace airvane {

// A request longer than this (request line and headers) is refused whole.
inline constexpr std::size_t kMaxRequestBytes = 8192;
inline constexpr std::size_t kMaxHeaders = 64;

struct HttpRequest {
    std::string method;                                        // as sent: GET, HEAD, POST...
    std::string target;                                        // "/status.json?x=1"
    std::string path;                                          // "/status.json"
    std::string version;                                       // "HTTP/1.1"
    std::vector<std::pair<std::string, std::string>> headers;  // names as sent, values trimmed
};

enum class RequestState {
    Incomplete,  // no blank line yet and still within the limit: read more
    Complete,
    Bad,  // malformed or oversized: answered 400
};

struct ParsedRequest {
    RequestState state = RequestState::Incomplete;
    HttpRequest request;  // filled when Complete
};

// The bytes received so far. A line may end in CR LF or a bare LF, as
// hand-typed requests (nc, telnet) do.
ParsedRequest parseHttpRequest(std::string_view bytes);

}  // namespace airvane
