// A plain HTTP exchange with a server on this machine, as curl would make
// it: connect to 127.0.0.1, send the bytes, read until the server closes.
// Winsock stays inside http_client.cpp, so that this header goes with
// <windows.h> in any order.
#pragma once

#include <string>

namespace airvane::e2e {

// The whole answer; "" when no connection could be made or the server
// closed without one. Blocking, with a time limit on each receive.
std::string httpExchange(unsigned short port, const std::string& request, unsigned long limitMs = 5000);

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
