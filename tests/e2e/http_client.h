// A plain HTTP exchange with a server on this machine, as curl would make
// it: connect to 127.0.0.1, send the bytes, read until the server closes.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace airvane::e2e {

inline bool startWinsock() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// The whole answer; "" when no connection could be made or the server
// closed without one. Blocking, with a time limit on each receive.
inline std::string httpExchange(unsigned short port, const std::string& request, DWORD limitMs = 5000) {
    if (!startWinsock()) return {};
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return {};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limitMs), sizeof limitMs);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0) {
        send(s, request.data(), static_cast<int>(request.size()), 0);
        char buffer[4096];
        int got;
        while ((got = recv(s, buffer, sizeof buffer, 0)) > 0) answer.append(buffer, got);
    }
    closesocket(s);
    return answer;
}

inline std::string httpGet(unsigned short port, const std::string& path) {
    return httpExchange(port, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

// The body after the blank line.
inline std::string httpBody(const std::string& answer) {
    const std::size_t blank = answer.find("\r\n\r\n");
    return blank == std::string::npos ? std::string() : answer.substr(blank + 4);
}

// The text of a JSON string member "name":"..." (the first one), as sent.
inline std::string jsonMember(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":\"";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return {};
    const std::size_t from = at + key.size();
    return json.substr(from, json.find('"', from) - from);
}

}  // namespace airvane::e2e
