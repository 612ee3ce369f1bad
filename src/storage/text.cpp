#include "storage/text.h"

#include <algorithm>
#include <cstring>

namespace airvane {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Index of the file-name part: after the last backslash, else after the
// last colon, else the whole text.
std::size_t fileNameStart(std::string_view path) {
    std::size_t cut = path.rfind('\\');
    if (cut == std::string_view::npos) cut = path.rfind(':');
    return cut == std::string_view::npos ? 0 : cut + 1;
}
}  // namespace

void appendChar(std::string& text, char c) { text.push_back(c); }

void insertText(std::string& text, std::size_t index, std::string_view insert) {
    text.insert(std::min(index, text.size()), insert);
}

int findChar(std::string_view text, char c) {
    std::size_t at = text.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int findLastChar(std::string_view text, char c) {
    std::size_t at = text.rfind(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int findText(std::string_view text, std::string_view pattern) {
    std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

const char* nextString(const char* text) { return text + std::strlen(text) + 1; }

const char* skipStrings(const char* list, int n) {
    while (n-- > 0 && *list != '\0') list = nextString(list);
    return list;
}

std::optional<std::string> splitAt(std::string& text, char c) {
    std::size_t at = text.find(c);
    if (at == std::string::npos) return std::nullopt;
    std::string rest = text.substr(at + 1);
    text.resize(at);
    return rest;
}

void replaceExtension(std::string& path, std::string_view extension) {
    std::size_t nameStart = fileNameStart(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) {
        path.push_back('.');
    } else {
        path.resize(dot + 1);
    }
    path.append(extension);
}

std::string_view fileNamePart(std::string_view path) { return path.substr(fileNameStart(path)); }

std::string_view extensionPart(std::string_view path) {
    std::size_t dot = path.rfind('.');
    return dot == std::string_view::npos ? path.substr(path.size()) : path.substr(dot + 1);
}

void ensureBackslash(std::string& path) {
    if (!path.empty() && path.back() != '\\') path.push_back('\\');
}

void trimBlanks(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) --end;
    std::size_t start = 0;
    while (start < end && isBlank(text[start])) ++start;
    text = text.substr(start, end - start);
}

void limitLength(std::string& text, std::size_t max) {
    if (text.size() > max) text.resize(max);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        // A two-byte character is compared as it is: its second byte may
        // look like an ASCII letter (갂 is 81 41, 갵 81 61).
        if (static_cast<unsigned char>(a[i]) >= 0x81 && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

void dropCutCharacter(std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) i += static_cast<unsigned char>(text[i]) >= 0x81 ? 2 : 1;
    if (i > text.size()) text.pop_back();
}

}  // namespace airvane
