#include "status/http_request.h"

#include <optional>

namespace airvane {

namespace {

// RFC 9110's token characters.
bool isTokenChar(unsigned char c) {
    if (c >= '0' && c <= '9') return true;
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return true;
    switch (c) {
        case '!':
        case '#':
        case '$':
        case '%':
        case '&':
        case '\'':
        case '*':
        case '+':
        case '-':
        case '.':
        case '^':
        case '_':
        case '`':
        case '|':
        case '~':
            return true;
        default:
            return false;
    }
}

bool isToken(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (!isTokenChar(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// Visible ASCII only: no blanks, controls or bytes above 0x7E in a target.
bool isTargetText(std::string_view text) {
    if (text.empty() || text.front() != '/') return false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F) return false;
    }
    return true;
}

// A header value may hold blanks and tabs and bytes above 0x7F (obs-text),
// never other controls.
bool isFieldValue(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t') || u == 0x7F) return false;
    }
    return true;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The next line without its ending; nullopt when no line ending came yet.
std::optional<std::string_view> nextLine(std::string_view bytes, std::size_t& at) {
    const std::size_t lf = bytes.find('\n', at);
    if (lf == std::string_view::npos) return std::nullopt;
    std::string_view line = bytes.substr(at, lf - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = lf + 1;
    return line;
}

bool parseRequestLine(std::string_view line, HttpRequest& request) {
    const std::size_t first = line.find(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t second = line.find(' ', first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
        return false;
    const std::string_view method = line.substr(0, first);
    const std::string_view target = line.substr(first + 1, second - first - 1);
    const std::string_view version = line.substr(second + 1);
    if (!isToken(method) || !isTargetText(target)) return false;
    if (version != "HTTP/1.0" && version != "HTTP/1.1") return false;
    request.method = method;
    request.target = target;
    request.path = target.substr(0, target.find('?'));
    request.version = version;
    return true;
}

}  // namespace

ParsedRequest parseHttpRequest(std::string_view bytes) {
    ParsedRequest parsed;
    // Only the limit's worth is ever looked at: what comes after it cannot
    // make a request good.
    const bool overLimit = bytes.size() > kMaxRequestBytes;
    if (overLimit) bytes = bytes.substr(0, kMaxRequestBytes);
    std::size_t at = 0;
    const auto requestLine = nextLine(bytes, at);
    if (!requestLine) {
        parsed.state = overLimit ? RequestState::Bad : RequestState::Incomplete;
        return parsed;
    }
    if (!parseRequestLine(*requestLine, parsed.request)) {
        parsed.state = RequestState::Bad;
        return parsed;
    }
    while (true) {
        const auto line = nextLine(bytes, at);
        if (!line) {
            parsed.state = overLimit ? RequestState::Bad : RequestState::Incomplete;
            return parsed;
        }
        if (line->empty()) break;
        const std::size_t colon = line->find(':');
        if (colon == std::string_view::npos || !isToken(line->substr(0, colon)) ||
            !isFieldValue(line->substr(colon + 1)) || parsed.request.headers.size() >= kMaxHeaders) {
            parsed.state = RequestState::Bad;
            return parsed;
        }
        parsed.request.headers.emplace_back(line->substr(0, colon), trimBlanks(line->substr(colon + 1)));
    }
    parsed.state = RequestState::Complete;
    return parsed;
}

}  // namespace airvane
