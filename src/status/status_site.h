// What the status server answers: /status.json, the page and today's on-air
// record, from the published snapshot and from files on disk, never from
// the program's own state. Safe to call from several threads at once.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "status/http_request.h"
#include "status/status_snapshot.h"

namespace airvane {

struct HttpResponse {
    int status = 200;
    std::string contentType;
    std::string body;
};

// The response as sent: status line, headers, and the body unless the
// request was HEAD. Every answer closes the connection.
std::string responseBytes(const HttpResponse& response, bool head);
// 400 for what could not be read.
HttpResponse badRequest();

// The Host a request names is this PC (an address, "localhost", a name of
// one label); a domain name is refused (DNS rebinding). None: allowed.
bool hostAllowed(const HttpRequest& request);

class StatusSite {
public:
    // The day's counts and its record as they are on disk now; both are
    // asked on a server thread, never on the UI thread.
    using TodayOf = std::function<std::optional<TodayCounts>(const LocalTime& day)>;
    using RecordOf = std::function<std::optional<std::string>(const LocalTime& day)>;

    StatusSite(std::shared_ptr<const StatusBoard> board, TodayOf today, RecordOf record,
               int64_t todayForMs = 10'000);

    HttpResponse answer(const HttpRequest& request);

private:
    std::optional<TodayCounts> todayFor(const LocalTime& day);

    std::shared_ptr<const StatusBoard> board_;
    TodayOf today_;
    RecordOf record_;
    const int64_t todayForMs_;
    // The counts read the plan and the record: once in a while, not for
    // each of many clients.
    std::mutex todayMutex_;
    std::optional<TodayCounts> todayCached_;
    int todayDate_ = 0;
    int64_t todayAt_ = 0;
};

}  // namespace airvane
