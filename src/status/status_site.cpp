#include "status/status_site.h"

#include "status/tcp_socket.h"

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

HttpResponse StatusSite::answer(const HttpRequest& request) {
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
