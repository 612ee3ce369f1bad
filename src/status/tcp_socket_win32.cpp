#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>

#include "status/tcp_socket.h"

namespace airvane::net {

namespace {

SOCKET handle(Socket socket) { return static_cast<SOCKET>(socket); }

bool makeNonBlocking(SOCKET s) {
    u_long on = 1;
    return ioctlsocket(s, FIONBIO, &on) == 0;
}

std::string errorText(int code) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "Winsock " + std::to_string(code) : message;
}

// Winsock's select takes a list of handles, not a bit map: no handle is too
// large for it, unlike POSIX select. One set only: a connection that failed
// shows as readable (its recv fails), and Wine 8's wineserver was seen to
// abort (complete_async_poll) under load with one socket in two sets.
Wait waitFor(SOCKET s, bool write, int milliseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    const int ready = select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &limit);
    if (ready == 0) return Wait::TimedOut;
    if (ready == SOCKET_ERROR) return Wait::Failed;
    return Wait::Ready;
}

}  // namespace

int64_t monotonicMs() { return static_cast<int64_t>(GetTickCount64()); }

bool startNetworking() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return started;
}

Socket listenOn(const std::string& address, uint16_t port, std::string& error) {
    if (!startNetworking()) {
        error = "Winsock did not start";
        return kNoSocket;
    }
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &at.sin_addr) != 1) {
        error = "not an IPv4 address";
        return kNoSocket;
    }
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        error = errorText(WSAGetLastError());
        return kNoSocket;
    }
    // No other program may take the port over with SO_REUSEADDR while we
    // listen on it (Winsock's SO_REUSEADDR, unlike POSIX's, allows that).
    BOOL on = TRUE;
    setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&on), sizeof on);
    if (bind(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 || listen(s, SOMAXCONN) != 0 ||
        !makeNonBlocking(s)) {
        error = errorText(WSAGetLastError());
        closesocket(s);
        return kNoSocket;
    }
    return static_cast<Socket>(s);
}

uint16_t localPort(Socket socket) {
    sockaddr_in at{};
    int size = sizeof at;
    if (getsockname(handle(socket), reinterpret_cast<sockaddr*>(&at), &size) != 0) return 0;
    return ntohs(at.sin_port);
}

Wait waitToRead(Socket socket, int milliseconds) { return waitFor(handle(socket), false, milliseconds); }
Wait waitToWrite(Socket socket, int milliseconds) { return waitFor(handle(socket), true, milliseconds); }

Socket acceptConnection(Socket listener) {
    const SOCKET s = accept(handle(listener), nullptr, nullptr);
    if (s == INVALID_SOCKET) return kNoSocket;
    if (!makeNonBlocking(s)) {
        closesocket(s);
        return kNoSocket;
    }
    return static_cast<Socket>(s);
}

int receiveSome(Socket socket, char* buffer, int size) {
    const int got = recv(handle(socket), buffer, size, 0);
    if (got >= 0) return got;
    return WSAGetLastError() == WSAEWOULDBLOCK ? -2 : -1;
}

int sendSome(Socket socket, const char* bytes, int size) {
    const int sent = send(handle(socket), bytes, size, 0);
    if (sent >= 0) return sent;
    return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

void shutdownSending(Socket socket) { shutdown(handle(socket), SD_SEND); }

void closeSocket(Socket socket) {
    if (socket != kNoSocket) closesocket(handle(socket));
}

}  // namespace airvane::net
