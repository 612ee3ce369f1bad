#include <windows.h>

#include "status/utf8_text.h"

namespace airvane {

namespace {

std::wstring wide(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(length > 0 ? length : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

}  // namespace

std::string systemTextToUtf8(std::string_view text) {
    // Without MB_ERR_INVALID_CHARS an unknown byte becomes the code page's
    // default character, not a failure.
    const std::wstring w = wide(text);
    if (w.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), length, nullptr,
                            nullptr);
    return out;
}

}  // namespace airvane
