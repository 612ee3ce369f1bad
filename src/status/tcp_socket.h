// The few socket calls the status server makes, the same on Winsock and on
// POSIX sockets. Every socket is non-blocking and every wait is bounded by
// the caller, so that no client can hold a thread for long.
#pragma once

#include <cstdint>
#include <string>

namespace airvane::net {

using Socket = std::intptr_t;
inline constexpr Socket kNoSocket = -1;

// Milliseconds of a clock that only goes forward.
int64_t monotonicMs();

// Winsock wants its start once per process; natively nothing.
bool startNetworking();

// Listens on an IPv4 address ("127.0.0.1", "0.0.0.0"); port 0 takes any
// free one (tests). kNoSocket and a reason when it cannot.
Socket listenOn(const std::string& address, uint16_t port, std::string& error);
uint16_t localPort(Socket socket);

enum class Wait { Ready, TimedOut, Failed };
// At most milliseconds for something to read (a connection to take on a
// listening socket), or room to write.
Wait waitToRead(Socket socket, int milliseconds);
Wait waitToWrite(Socket socket, int milliseconds);

// A connection waiting on the listener, non-blocking; kNoSocket when none.
Socket acceptConnection(Socket listener);
// Bytes received (> 0), 0 when the peer closed, -1 on an error, -2 when
// nothing is there yet.
int receiveSome(Socket socket, char* buffer, int size);
// Bytes sent (>= 0; 0 when there is no room now), -1 on an error.
int sendSome(Socket socket, const char* bytes, int size);
// No more bytes from us: the peer reads the answer to its end.
void shutdownSending(Socket socket);
void closeSocket(Socket socket);

}  // namespace airvane::net
