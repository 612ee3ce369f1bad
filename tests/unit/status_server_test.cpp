// The status server's request reader, its answers, and the server itself
// on a real socket of this machine.
#include "status/status_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "status/http_request.h"
#include "status/status_site.h"

namespace airvane {
namespace {

TEST(HttpRequest, GoodBadAndUnfinishedRequests) {
    const std::string huge(kMaxRequestBytes, 'a');
    const struct {
        std::string bytes;
        RequestState state;
        const char* method;
        const char* path;
    } rows[] = {
        {"GET /status.json HTTP/1.1\r\nHost: x\r\n\r\n", RequestState::Complete, "GET", "/status.json"},
        {"GET / HTTP/1.0\r\n\r\n", RequestState::Complete, "GET", "/"},
        {"HEAD /onair.csv?d=1 HTTP/1.1\n\n", RequestState::Complete, "HEAD", "/onair.csv"},
        {"POST /status.json HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc", RequestState::Complete, "POST",
         "/status.json"},
        {"GET / HTTP/1.1\r\nX-Korean: \xB0\xA1\r\n\r\n", RequestState::Complete, "GET", "/"},
        {"GET / HTTP/1.1\r\nHost: x\r\n", RequestState::Incomplete, "", ""},
        {"GET / HTTP/1.1", RequestState::Incomplete, "", ""},
        {"", RequestState::Incomplete, "", ""},
        {"GET / HTTP/1.1\r\nHost: " + huge + "\r\n\r\n", RequestState::Bad, "", ""},
        {"GET /" + huge, RequestState::Bad, "", ""},
        {"GET / HTTP/1.1\r\n" + huge, RequestState::Bad, "", ""},
        {"\r\n\r\n", RequestState::Bad, "", ""},
        {"GET\r\n\r\n", RequestState::Bad, "", ""},
        {"GET /\r\n\r\n", RequestState::Bad, "", ""},
        {"GET / HTTP/2\r\n\r\n", RequestState::Bad, "", ""},
        {"GET / HTTP/1.1 x\r\n\r\n", RequestState::Bad, "", ""},
        {"GET  / HTTP/1.1\r\n\r\n", RequestState::Bad, "", ""},
        {"GET http://x/ HTTP/1.1\r\n\r\n", RequestState::Bad, "", ""},
        {"GET /a b HTTP/1.1\r\n\r\n", RequestState::Bad, "", ""},
        {"GET /\x01 HTTP/1.1\r\n\r\n", RequestState::Bad, "", ""},
        {"GE(T / HTTP/1.1\r\n\r\n", RequestState::Bad, "", ""},
        {"GET / HTTP/1.1\r\nNo colon\r\n\r\n", RequestState::Bad, "", ""},
        {"GET / HTTP/1.1\r\n: empty name\r\n\r\n", RequestState::Bad, "", ""},
        {"GET / HTTP/1.1\r\nBad\x01: x\r\n\r\n", RequestState::Bad, "", ""},
        {"GET / HTTP/1.1\r\nA: x\x01y\r\n\r\n", RequestState::Bad, "", ""},
        {std::string("GET / HTTP/1.1\r\nA: x\0y\r\n\r\n", 26), RequestState::Bad, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 60));
        const ParsedRequest parsed = parseHttpRequest(row.bytes);
        EXPECT_EQ(parsed.state, row.state);
        if (row.state == RequestState::Complete) {
            EXPECT_EQ(parsed.request.method, row.method);
            EXPECT_EQ(parsed.request.path, row.path);
        }
    }
    std::string many = "GET / HTTP/1.1\r\n";
    for (std::size_t i = 0; i <= kMaxHeaders; ++i) many += "A: b\r\n";
    EXPECT_EQ(parseHttpRequest(many + "\r\n").state, RequestState::Bad) << "too many headers";
    const ParsedRequest headers = parseHttpRequest("GET /?q HTTP/1.1\r\nHost:  here \t\r\nAccept:\r\n\r\n");
    ASSERT_EQ(headers.request.headers.size(), 2u);
    EXPECT_EQ(headers.request.headers[0], (std::pair<std::string, std::string>{"Host", "here"}));
    EXPECT_EQ(headers.request.headers[1].second, "");
    EXPECT_EQ(headers.request.target, "/?q");
}

std::shared_ptr<StatusBoard> boardWithTick(int second) {
    auto board = std::make_shared<StatusBoard>();
    StatusSnapshot snapshot;
    snapshot.heartbeat = {2026, 12, 9, 3, 10, 0, second, 0};
    ProgrammeOnAir now;
    now.programme = "Morning";
    snapshot.now = now;
    board->publish(snapshot);
    return board;
}

HttpRequest request(const char* method, const char* path) {
    HttpRequest r;
    r.method = method;
    r.path = path;
    return r;
}

TEST(StatusSite, EachPathAndMethodGetsItsAnswer) {
    int todayCounted = 0;
    auto site = std::make_shared<StatusSite>(
        boardWithTick(1),
        [&todayCounted](const LocalTime&) {
            ++todayCounted;
            return std::optional<TodayCounts>(TodayCounts{3, 3, 0, 0, 0});
        },
        [](const LocalTime& day) {
            return day.day == 9 ? std::optional<std::string>("date,time\r\n\"가\",1\r\n") : std::nullopt;
        });
    const struct {
        const char* method;
        const char* path;
        int status;
        const char* type;
        const char* within;
    } rows[] = {
        {"GET", "/status.json", 200, "application/json; charset=utf-8", "\"programme\":\"Morning\""},
        {"HEAD", "/status.json", 200, "application/json; charset=utf-8", "\"planned\":3"},
        {"GET", "/", 200, "text/html; charset=utf-8", "Morning"},
        {"GET", "/onair.csv", 200, "text/csv; charset=euc-kr", "date,time\r\n\"가\",1\r\n"},
        {"GET", "/status", 404, "text/plain; charset=utf-8", "not found"},
        {"GET", "/STATUS.JSON", 404, "text/plain; charset=utf-8", "not found"},
        {"GET", "/../airvane.INI", 404, "text/plain; charset=utf-8", "not found"},
        {"POST", "/status.json", 405, "text/plain; charset=utf-8", "method not allowed"},
        {"DELETE", "/nothing", 405, "text/plain; charset=utf-8", "method not allowed"},
        {"get", "/", 405, "text/plain; charset=utf-8", "method not allowed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.method) + " " + row.path);
        const HttpResponse response = site->answer(request(row.method, row.path));
        EXPECT_EQ(response.status, row.status);
        EXPECT_EQ(response.contentType, row.type);
        EXPECT_NE(response.body.find(row.within), std::string::npos) << response.body;
    }
    EXPECT_EQ(todayCounted, 1) << "counted once for the many requests of a few seconds";

    const std::string head = responseBytes(site->answer(request("HEAD", "/status.json")), true);
    EXPECT_EQ(head.find("{"), std::string::npos) << "HEAD: the headers only";
    EXPECT_NE(head.find("Content-Length: "), std::string::npos);
    const std::string refused = responseBytes(site->answer(request("PUT", "/")), false);
    EXPECT_EQ(refused.rfind("HTTP/1.1 405 Method Not Allowed\r\n", 0), 0u);
    EXPECT_NE(refused.find("Allow: GET, HEAD\r\n"), std::string::npos);
    EXPECT_EQ(responseBytes(badRequest(), false).rfind("HTTP/1.1 400 Bad Request\r\n", 0), 0u);

    StatusSite noRecord(boardWithTick(1), nullptr,
                        [](const LocalTime&) { return std::optional<std::string>(); });
    EXPECT_EQ(noRecord.answer(request("GET", "/onair.csv")).status, 404) << "no record yet today";
    EXPECT_NE(noRecord.answer(request("GET", "/status.json")).body.find("\"today\":null"), std::string::npos);
    // The PC by address or by its own name; a domain (a page rebinding its
    // name to this PC) is refused.
    for (const auto& [host, status] : {std::pair{"127.0.0.1:8080", 200}, std::pair{"localhost", 200},
                                       std::pair{"STATION-PC", 200}, std::pair{"[::1]:80", 200},
                                       std::pair{"192.168.0.10", 200}, std::pair{"evil.example.com", 400},
                                       std::pair{"evil.example.com:8080", 400}}) {
        HttpRequest named = request("GET", "/status.json");
        named.headers.emplace_back("HOST", host);
        EXPECT_EQ(site->answer(named).status, status) << host;
    }
    StatusSite starting(std::make_shared<StatusBoard>(), nullptr, nullptr);
    EXPECT_EQ(starting.answer(request("GET", "/")).status, 503) << "before the first tick";
}

// A client on a socket of this machine: sends bytes, then reads until the
// server closes.
class Client {
public:
    explicit Client(uint16_t port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_port = htons(port);
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
    }
    ~Client() { close(fd_); }
    bool connected() const { return connected_; }
    // A reader that stops waiting: an answer later than this counts as none.
    void giveUpAfter(int seconds) {
        timeval limit{seconds, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    }
    void send(const std::string& bytes) { ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    std::string readAll() {
        std::string all;
        char buffer[4096];
        ssize_t got;
        while ((got = recv(fd_, buffer, sizeof buffer, 0)) > 0) all.append(buffer, got);
        return all;
    }

private:
    int fd_;
    bool connected_ = false;
};

std::string ask(uint16_t port, const std::string& bytes) {
    Client client(port);
    if (!client.connected()) return "(no connection)";
    client.send(bytes);
    return client.readAll();
}

class StatusServerOnSocket : public ::testing::Test {
protected:
    void startWith(StatusServerLimits limits) {
        site = std::make_shared<StatusSite>(boardWithTick(7), nullptr, nullptr);
        server = std::make_unique<StatusServer>(site, limits);
        std::string error;
        ASSERT_TRUE(server->start("127.0.0.1", 0, error)) << error;
        port = server->port();
        ASSERT_NE(port, 0);
    }
    std::shared_ptr<StatusSite> site;
    std::unique_ptr<StatusServer> server;
    uint16_t port = 0;
};

TEST_F(StatusServerOnSocket, MalformedAndOversizedRequestsGet400AndTheNextIsAnswered) {
    startWith({});
    const std::string oversized =
        "GET / HTTP/1.1\r\nX: " + std::string(3 * kMaxRequestBytes, 'x') + "\r\n\r\n";
    const struct {
        std::string bytes;
        const char* statusLine;
    } rows[] = {
        {"GET /status.json HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
        {"hello\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
        {oversized, "HTTP/1.1 400 Bad Request\r\n"},
        {"GET /status.json HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
        {"POST / HTTP/1.1\r\nContent-Length: 2\r\n\r\nab", "HTTP/1.1 405 Method Not Allowed\r\n"},
        {"GET /nothing HTTP/1.0\r\n\r\n", "HTTP/1.1 404 Not Found\r\n"},
        {"GET / HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 40));
        const std::string answer = ask(port, row.bytes);
        EXPECT_EQ(answer.rfind(row.statusLine, 0), 0u) << answer.substr(0, 80);
    }
    EXPECT_NE(
        ask(port, "GET /status.json HTTP/1.1\r\n\r\n").find("\"heartbeat\":\"2026-12-09T10:00:07.000\""),
        std::string::npos);
}

TEST_F(StatusServerOnSocket, ASilentClientCannotHoldTheServer) {
    // One worker, a short read limit: the silent client is dropped and the
    // one behind it is answered; nothing here measures how fast.
    startWith({1, 4, 300, 1000});
    Client silent(port);
    ASSERT_TRUE(silent.connected());
    Client halfway(port);
    halfway.send("GET /status.json HTTP/1.1\r\n");
    const std::string answer = ask(port, "GET /status.json HTTP/1.1\r\n\r\n");
    EXPECT_EQ(answer.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_EQ(silent.readAll(), "") << "closed without an answer";
    EXPECT_EQ(halfway.readAll(), "");

    // A queue of idle connections: their time runs from the accept, so
    // they go together and a request behind them is answered at once;
    // counted from each one's turn, it would wait 20 turns of 300 ms, twice
    // as long as this reader waits.
    server.reset();
    startWith({1, 32, 300, 1000});
    std::vector<std::unique_ptr<Client>> idle;
    for (int i = 0; i < 20; ++i) idle.push_back(std::make_unique<Client>(port));
    Client behind(port);
    behind.giveUpAfter(3);
    behind.send("GET /status.json HTTP/1.1\r\n\r\n");
    EXPECT_EQ(behind.readAll().rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    for (const auto& client : idle) EXPECT_EQ(client->readAll(), "");
}

TEST_F(StatusServerOnSocket, ManyClientsAtOnceAreAllAnsweredOrTurnedAwayAndStopIsPrompt) {
    // Few places, so that some are turned away.
    startWith({2, 2, 2000, 5000});
    std::atomic<int> ok{0}, other{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 16; ++i) {
        clients.emplace_back([&] {
            for (int j = 0; j < 20; ++j) {
                const std::string answer = ask(port, "GET /status.json HTTP/1.1\r\n\r\n");
                if (answer.rfind("HTTP/1.1 200 OK\r\n", 0) == 0 && answer.back() == '\n')
                    ++ok;
                else if (answer.empty() || answer.rfind("HTTP/1.1 503 ", 0) == 0)
                    ++other;
            }
        });
    }
    for (std::thread& client : clients) client.join();
    EXPECT_EQ(ok + other, 16 * 20) << "every answer whole, or a refusal";
    EXPECT_EQ(static_cast<uint64_t>(ok), server->answered());
    EXPECT_EQ(static_cast<uint64_t>(other), server->turnedAway()) << "only those turned away had no answer";
    server->stop();
    EXPECT_EQ(ask(port, "GET / HTTP/1.1\r\n\r\n"), "(no connection)");
}

TEST(StatusServer, APortInUseOrABadAddressIsSaid) {
    auto site = std::make_shared<StatusSite>(boardWithTick(1), nullptr, nullptr);
    StatusServer first(site);
    std::string error;
    ASSERT_TRUE(first.start("127.0.0.1", 0, error)) << error;
    StatusServer second(site);
    EXPECT_FALSE(second.start("127.0.0.1", first.port(), error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(second.start("localhost:80", 8080, error));
    EXPECT_EQ(error, "not an IPv4 address");
}

}  // namespace
}  // namespace airvane
