#include "status/status_site.h"

#include "status/tcp_socket.h"
#include "storage/text.h"

namespace airvane {

namespace {

const char* reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 503:
            return "Service Unavailable";
        default:
            return "Error";
    }
}

HttpResponse plain(int status, const std::string& text) {
    return {status, "text/plain; charset=utf-8", text + "\n"};
}

int dateNumber(const LocalTime& t) { return t.year * 10000 + t.month * 100 + t.day; }

}  // namespace

std::string responseBytes(const HttpResponse& response, bool head) {
    std::string bytes =
        "HTTP/1.1 " + std::to_string(response.status) + " " + reason(response.status) + "\r\n";
    if (!response.contentType.empty()) bytes += "Content-Type: " + response.contentType + "\r\n";
    bytes += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    if (response.status == 405) bytes += "Allow: GET, HEAD\r\n";
    bytes += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nConnection: close\r\n\r\n";
    if (!head) bytes += response.body;
    return bytes;
}

HttpResponse badRequest() { return plain(400, "bad request"); }

StatusSite::StatusSite(std::shared_ptr<const StatusBoard> board, TodayOf today, RecordOf record,
                       int64_t todayForMs)
    : board_(std::move(board)),
      today_(std::move(today)),
      record_(std::move(record)),
      todayForMs_(todayForMs) {}

std::optional<TodayCounts> StatusSite::todayFor(const LocalTime& day) {
    // One thread counts at a time; the others wait for it rather than
    // count again (the count is the same).
    std::lock_guard lock(todayMutex_);
    const int64_t now = net::monotonicMs();
    if (todayDate_ != dateNumber(day) || todayDate_ == 0 || now - todayAt_ >= todayForMs_) {
        todayCached_ = today_ ? today_(day) : std::nullopt;
        todayDate_ = dateNumber(day);
        todayAt_ = now;
    }
    return todayCached_;
}

bool hostAllowed(const HttpRequest& request) {
    for (const auto& [name, value] : request.headers) {
        if (name.size() != 4 || !equalsIgnoringCase(name, "host")) continue;
        std::string host = value;
        if (!host.empty() && host.front() == '[') return host.find(']') != std::string::npos;  // an IPv6 literal
        host = host.substr(0, host.find(':'));
        if (host.empty() || equalsIgnoringCase(host, "localhost")) return true;
        // An address, or a name of one label (the PC's own name): a web
        // page that rebinds its domain to this PC names that domain, and
        // is refused, so it cannot read the station's record.
        const bool address = host.find_first_not_of("0123456789.") == std::string::npos;
        return address || host.find('.') == std::string::npos;
    }
    return true;  // HTTP/1.0 sends none
}

HttpResponse StatusSite::answer(const HttpRequest& request) {
    if (!hostAllowed(request)) return plain(400, "unknown host");
    if (request.method != "GET" && request.method != "HEAD") return plain(405, "method not allowed");
    const bool known = request.path == "/" || request.path == "/status.json" || request.path == "/onair.csv";
    if (!known) return plain(404, "not found");
    const std::shared_ptr<const StatusSnapshot> snapshot = board_->read();
    if (!snapshot) return plain(503, "starting");
    if (request.path == "/onair.csv") {
        const std::optional<std::string> record = record_ ? record_(snapshot->heartbeat) : std::nullopt;
        if (!record) return plain(404, "no on-air record today");
        // As the file is: CP949 (which browsers read under the label
        // euc-kr), CR LF, for a spreadsheet.
        return {200, "text/csv; charset=euc-kr", *record};
    }
    const std::optional<TodayCounts> today = todayFor(snapshot->heartbeat);
    if (request.path == "/status.json")
        return {200, "application/json; charset=utf-8", statusJson(*snapshot, today)};
    return {200, "text/html; charset=utf-8", statusPage(*snapshot, today)};
}

}  // namespace airvane
