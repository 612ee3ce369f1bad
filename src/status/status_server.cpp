#include "status/status_server.h"

#include <algorithm>
#include <system_error>

#include "status/http_request.h"

namespace airvane {

namespace {

constexpr int kSliceMs = 100;

int msLeft(int64_t deadline) { return static_cast<int>(std::max<int64_t>(deadline - net::monotonicMs(), 0)); }

}  // namespace

StatusServer::StatusServer(std::shared_ptr<StatusSite> site, StatusServerLimits limits)
    : site_(std::move(site)), limits_(limits) {}

StatusServer::~StatusServer() { stop(); }

bool StatusServer::start(const std::string& address, uint16_t port, std::string& error) {
    stop();
    listener_ = net::listenOn(address, port, error);
    if (listener_ == net::kNoSocket) return false;
    port_ = net::localPort(listener_);
    stopping_ = false;
    try {
        acceptor_ = std::thread([this] { acceptLoop(); });
        for (int i = 0; i < limits_.workers; ++i) workers_.emplace_back([this] { workerLoop(); });
    } catch (const std::system_error& e) {
        error = e.what();
        stop();
        return false;
    }
    return true;
}

void StatusServer::stop() {
    {
        // Under the lock: a worker between its check and its wait would
        // otherwise miss the word and sleep on, and the join with it.
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_all();
    if (acceptor_.joinable()) acceptor_.join();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
    for (const Waiting& waiting : waiting_) net::closeSocket(waiting.connection);
    waiting_.clear();
    net::closeSocket(listener_);
    listener_ = net::kNoSocket;
}

void StatusServer::acceptLoop() {
    while (!stopping_) {
        if (net::waitToRead(listener_, kSliceMs) != net::Wait::Ready) continue;
        const net::Socket connection = net::acceptConnection(listener_);
        if (connection == net::kNoSocket) {
            // Out of handles or buffers: the listener stays readable; a
            // slice's pause keeps the loop from taking a whole core.
            std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
            continue;
        }
        std::unique_lock lock(mutex_);
        if (waiting_.size() >= limits_.waiting) {
            lock.unlock();
            // One try, never a wait: a busy server says so and moves on.
            ++turnedAway_;
            static const std::string busy =
                responseBytes({503, "text/plain; charset=utf-8", "busy\n"}, false);
            net::sendSome(connection, busy.data(), static_cast<int>(busy.size()));
            net::closeSocket(connection);
            continue;
        }
        waiting_.push_back({connection, net::monotonicMs() + limits_.readMs});
        lock.unlock();
        ready_.notify_one();
    }
}

void StatusServer::workerLoop() {
    while (true) {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        const Waiting taken = waiting_.front();
        waiting_.pop_front();
        lock.unlock();
        serve(taken.connection, taken.readBy);
        net::closeSocket(taken.connection);
    }
}

void StatusServer::serve(net::Socket connection, int64_t readBy) {
    // Read until the blank line, the size limit or the time limit, counted
    // from the accept: idle connections that waited their turn go at once.
    std::string received;
    ParsedRequest parsed;
    char buffer[2048];
    while (true) {
        parsed = parseHttpRequest(received);
        if (parsed.state != RequestState::Incomplete) break;
        if (stopping_) return;
        // Past its time (it may have waited its turn behind others), what it
        // sent by now is still read; nothing more is waited for.
        const int left = msLeft(readBy);
        const net::Wait wait = net::waitToRead(connection, std::min(kSliceMs, left));
        if (wait == net::Wait::Failed) return;
        if (wait == net::Wait::TimedOut) {
            if (left <= 0) return;  // too slow: dropped without a word
            continue;
        }
        const int got = net::receiveSome(connection, buffer, sizeof buffer);
        if (got == 0 || got == -1) return;
        if (got > 0) received.append(buffer, got);
    }
    const HttpResponse response =
        parsed.state == RequestState::Bad ? badRequest() : site_->answer(parsed.request);
    const std::string bytes =
        responseBytes(response, parsed.state == RequestState::Complete && parsed.request.method == "HEAD");
    std::size_t sent = 0;
    const int64_t writeBy = net::monotonicMs() + limits_.writeMs;
    while (sent < bytes.size()) {
        if (stopping_ || msLeft(writeBy) <= 0) return;
        const int n = net::sendSome(connection, bytes.data() + sent,
                                    static_cast<int>(std::min<std::size_t>(bytes.size() - sent, 64 * 1024)));
        if (n < 0) return;
        sent += static_cast<std::size_t>(n);
        if (n == 0 && net::waitToWrite(connection, std::min(kSliceMs, msLeft(writeBy))) == net::Wait::Failed)
            return;
    }
    ++answered_;
    // Closed at once, a socket with unread bytes (the rest of an oversized
    // request) is reset, and the client may lose the answer: say we are done,
    // and take what it still sends for a moment.
    net::shutdownSending(connection);
    const int64_t drainBy = net::monotonicMs() + kSliceMs * 2;
    while (!stopping_ && msLeft(drainBy) > 0) {
        if (net::waitToRead(connection, std::clamp(msLeft(drainBy), 1, kSliceMs)) != net::Wait::Ready) return;
        const int got = net::receiveSome(connection, buffer, sizeof buffer);
        if (got == 0 || got == -1) return;
    }
}

}  // namespace airvane
