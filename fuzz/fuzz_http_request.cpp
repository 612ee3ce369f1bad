// Any bytes as what a client of the status server sends: the reader says
// complete, bad or not yet, never reads past the limit, and a complete
// request is one the answers can be made from.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "status/http_request.h"
#include "status/status_site.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const airvane::ParsedRequest parsed = airvane::parseHttpRequest(bytes);
    if (parsed.state == airvane::RequestState::Complete) {
        const airvane::HttpRequest& request = parsed.request;
        if (request.path.empty() || request.path.front() != '/') __builtin_trap();
        if (request.target.compare(0, request.path.size(), request.path) != 0) __builtin_trap();
        if (request.version != "HTTP/1.0" && request.version != "HTTP/1.1") __builtin_trap();
        if (request.headers.size() > airvane::kMaxHeaders) __builtin_trap();
        // The blank line came within the limit.
        if (bytes.substr(0, airvane::kMaxRequestBytes).find("\n\n") == std::string_view::npos &&
            bytes.substr(0, airvane::kMaxRequestBytes).find("\n\r\n") == std::string_view::npos)
            __builtin_trap();
    }
    // More bytes never make a bad request good.
    if (parsed.state == airvane::RequestState::Bad &&
        airvane::parseHttpRequest(std::string(bytes) + "\r\n\r\n").state != airvane::RequestState::Bad)
        __builtin_trap();
    // Over the limit without a request: bad, not "read more".
    if (size > airvane::kMaxRequestBytes && parsed.state == airvane::RequestState::Incomplete)
        __builtin_trap();
    // Whatever a complete request holds, the site answers it with a status
    // of its own, and a foreign Host is never served.
    if (parsed.state == airvane::RequestState::Complete) {
        static airvane::StatusSite site(std::make_shared<airvane::StatusBoard>(), nullptr, nullptr);
        const int status = site.answer(parsed.request).status;
        if (status != 400 && status != 404 && status != 405 && status != 503) __builtin_trap();
        if (!airvane::hostAllowed(parsed.request) && status != 400) __builtin_trap();
    }
    return 0;
}
