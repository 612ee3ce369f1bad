// The status server: a thread that takes connections and a few that answer
// them, one request each. Bounded everywhere: a few connections served at
// once and some more waiting (the rest told 503 and closed at once), a time limit for
// reading a request and one for writing the answer, and a request size
// limit; a client that is slow, silent or malformed costs a worker at most
// its time limit. It reads nothing but what its StatusSite gives.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "status/status_site.h"
#include "status/tcp_socket.h"

namespace airvane {

struct StatusServerLimits {
    int workers = 4;
    std::size_t waiting = 64;  // accepted and not yet answered; more get 503 at once
    int readMs = 2000;         // for the whole request
    int writeMs = 5000;        // for the whole answer
};

class StatusServer {
public:
    explicit StatusServer(std::shared_ptr<StatusSite> site, StatusServerLimits limits = {});
    StatusServer(const StatusServer&) = delete;
    StatusServer& operator=(const StatusServer&) = delete;
    ~StatusServer();

    // Listens and starts the threads; false and why when the address or
    // the port cannot be had.
    bool start(const std::string& address, uint16_t port, std::string& error);
    // Every thread ends within a slice of its waits (0.1 s), a request in
    // the middle included.
    void stop();
    uint16_t port() const { return port_; }

    // Counters for tests and benchmarks.
    uint64_t answered() const { return answered_; }
    uint64_t turnedAway() const { return turnedAway_; }

private:
    void acceptLoop();
    void workerLoop();
    void serve(net::Socket connection, int64_t readBy);

    struct Waiting {
        net::Socket connection;
        int64_t readBy;  // its request is read by then, or it is dropped
    };

    std::shared_ptr<StatusSite> site_;
    StatusServerLimits limits_;
    net::Socket listener_ = net::kNoSocket;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Waiting> waiting_;
    std::thread acceptor_;
    std::vector<std::thread> workers_;
    std::atomic<uint64_t> answered_{0}, turnedAway_{0};
};

}  // namespace airvane
