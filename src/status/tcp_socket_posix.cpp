#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "status/tcp_socket.h"

namespace airvane::net {

namespace {

bool makeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

Wait waitFor(Socket socket, short events, int milliseconds) {
    pollfd entry{static_cast<int>(socket), events, 0};
    const int ready = poll(&entry, 1, milliseconds);
    if (ready == 0) return Wait::TimedOut;
    if (ready < 0) return errno == EINTR ? Wait::TimedOut : Wait::Failed;
    return Wait::Ready;  // an error or hang-up shows at the next call
}

}  // namespace

int64_t monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
}

bool startNetworking() { return true; }

Socket listenOn(const std::string& address, uint16_t port, std::string& error) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &at.sin_addr) != 1) {
        error = "not an IPv4 address";
        return kNoSocket;
    }
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return kNoSocket;
    }
    // A restart finds the port in TIME_WAIT; POSIX's SO_REUSEADDR still
    // refuses a port another socket listens on.
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(fd, SOMAXCONN) != 0 ||
        !makeNonBlocking(fd)) {
        error = std::strerror(errno);
        close(fd);
        return kNoSocket;
    }
    return fd;
}

uint16_t localPort(Socket socket) {
    sockaddr_in at{};
    socklen_t size = sizeof at;
    if (getsockname(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&at), &size) != 0) return 0;
    return ntohs(at.sin_port);
}

Wait waitToRead(Socket socket, int milliseconds) { return waitFor(socket, POLLIN, milliseconds); }
Wait waitToWrite(Socket socket, int milliseconds) { return waitFor(socket, POLLOUT, milliseconds); }

Socket acceptConnection(Socket listener) {
    const int fd = accept(static_cast<int>(listener), nullptr, nullptr);
    if (fd < 0) return kNoSocket;
    if (!makeNonBlocking(fd)) {
        close(fd);
        return kNoSocket;
    }
    return fd;
}

int receiveSome(Socket socket, char* buffer, int size) {
    const ssize_t got = recv(static_cast<int>(socket), buffer, size, 0);
    if (got >= 0) return static_cast<int>(got);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? -2 : -1;
}

int sendSome(Socket socket, const char* bytes, int size) {
    // A client gone away must not end the program with SIGPIPE.
    const ssize_t sent = send(static_cast<int>(socket), bytes, size, MSG_NOSIGNAL);
    if (sent >= 0) return static_cast<int>(sent);
    return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
}

void shutdownSending(Socket socket) { shutdown(static_cast<int>(socket), SHUT_WR); }

void closeSocket(Socket socket) {
    if (socket != kNoSocket) close(static_cast<int>(socket));
}

}  // namespace airvane::net
