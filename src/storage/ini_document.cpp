#include "storage/ini_document.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace airvane {

namespace {

bool isProfileSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isProfileSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isProfileSpace(s.back())) s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = lowerAscii(c);
    return out;
}

// One line of the file. A line ends at CR LF, LF or CR.
struct Line {
    std::size_t start;  // first byte
    std::size_t end;    // one past the last byte before the line end
    std::size_t next;   // start of the following line
};

enum class LineKind { Blank, Section, Key };

struct ParsedLine {
    LineKind kind;
    std::string_view name;                  // section or key name
    std::optional<std::string_view> value;  // keys only; none without "="
};

template <typename Visit>
void forEachLine(std::string_view bytes, Visit visit) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = next = bytes.size();
        } else {
            next = end + 1;
            if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        }
        if (!visit(Line{pos, end, next})) return;
        pos = next;
    }
}

ParsedLine parseLine(std::string_view text) {
    text = trim(text);
    if (text.empty()) return {LineKind::Blank, {}, {}};
    if (text.front() == '[') {
        std::size_t close = text.rfind(']');
        // A "[" without "]" is no header; the platform reads it as a key line.
        if (close != std::string_view::npos) return {LineKind::Section, trim(text.substr(1, close - 1)), {}};
    }
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {LineKind::Key, text, std::nullopt};
    return {LineKind::Key, trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

// A value cannot span lines: whatever follows a line end is dropped.
std::string_view singleLine(std::string_view value) {
    return value.substr(0, std::min(value.find_first_of("\r\n"), value.size()));
}

// The characters of a CP949 text, as byte offsets: a lead byte takes the
// byte after it along.
std::vector<std::size_t> characterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size();) {
        starts.push_back(i);
        unsigned char c = static_cast<unsigned char>(text[i]);
        i += (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
    }
    return starts;
}

// The platform copies the value as wide characters into a buffer of
// bufferSize, then converts it into bufferSize - 1 bytes. Where the bytes do
// not fit, the platform hands back uninitialised bytes; we cut at the last
// whole character instead.
std::string copyAsThePlatform(std::string_view value, bool quoted, std::size_t bufferSize) {
    std::vector<std::size_t> starts = characterStarts(value);
    std::size_t count = std::min(starts.size(), bufferSize - 1);
    // A quoted value loses its last copied character (the closing quote,
    // when the whole value fitted) whenever the buffer could hold as many
    // characters as the value has.
    if (quoted && count > 0 && bufferSize >= starts.size()) --count;
    std::size_t bytes = count < starts.size() ? starts[count] : value.size();
    while (bytes > bufferSize - 1) bytes = starts[--count];
    return std::string(value.substr(0, bytes));
}

}  // namespace

const IniDocument::Index& IniDocument::index() const {
    if (index_) return *index_;
    Index index;
    std::string_view bytes = bytes_;
    // Keys before the first header form a section without a name.
    KeyIndex* keys = &index[std::string()];  // null in a later section of a name already seen
    forEachLine(bytes, [&](const Line& line) {
        ParsedLine parsed = parseLine(bytes.substr(line.start, line.end - line.start));
        if (parsed.kind == LineKind::Section) {
            auto [it, added] = index.try_emplace(lowered(parsed.name));
            keys = added ? &it->second : nullptr;
        } else if (keys && parsed.kind == LineKind::Key) {
            keys->try_emplace(lowered(parsed.name), parsed.value);
        }
        return true;
    });
    index_ = std::move(index);
    return *index_;
}

std::optional<std::string_view> IniDocument::find(std::string_view section, std::string_view key) const {
    const Index& sections = index();
    auto s = sections.find(lowered(trim(section)));
    if (s == sections.end()) return std::nullopt;
    auto k = s->second.find(lowered(trim(key)));
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

void IniDocument::assign(std::string_view section, std::span<const IniEntry> entries) {
    index_.reset();  // it points into the bytes that are about to change
    section = trim(section);
    std::string_view bytes = bytes_;

    // Where the first section of that name is, and its keys.
    std::optional<std::size_t> headerEnd;  // byte after the header line
    std::size_t insertAt = 0;              // byte after the section's last non-blank line
    std::unordered_map<std::string, Line> keyLines;
    bool inSection = false;
    forEachLine(bytes, [&](const Line& line) {
        ParsedLine parsed = parseLine(bytes.substr(line.start, line.end - line.start));
        if (parsed.kind == LineKind::Section) {
            if (inSection) return false;
            if (!headerEnd && !parsed.name.empty() && sameName(parsed.name, section)) {
                inSection = true;
                headerEnd = insertAt = line.next;
            }
            return true;
        }
        if (inSection && parsed.kind == LineKind::Key) {
            keyLines.try_emplace(lowered(parsed.name), line);
            insertAt = line.next;
        }
        return true;
    });

    // Replacements of existing lines, by line start; new keys in order.
    std::unordered_map<std::size_t, std::string> replaced;
    std::vector<std::string> added;
    std::unordered_map<std::string, std::size_t> addedIndex;
    for (const IniEntry& entry : entries) {
        std::string_view key = trim(entry.key);
        std::string line = std::string(key) + "=" + std::string(singleLine(entry.value)) + "\r\n";
        std::string name = lowered(key);
        if (auto it = keyLines.find(name); it != keyLines.end()) {
            replaced[it->second.start] = std::move(line);
        } else if (auto at = addedIndex.find(name); at != addedIndex.end()) {
            added[at->second] = std::move(line);
        } else {
            addedIndex.emplace(name, added.size());
            added.push_back(std::move(line));
        }
    }

    std::string out;
    out.reserve(bytes.size() + 64 * added.size());
    auto appendAdded = [&] {
        // The line before the new ones must be ended first.
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
        for (const std::string& line : added) out += line;
    };
    if (!headerEnd) {
        out.append(bytes);
        if (!out.empty()) {
            if (out.back() != '\n' && out.back() != '\r') out += "\r\n";
            out += "\r\n";
        }
        out += '[';
        out += section;
        out += "]\r\n";
        appendAdded();
        bytes_ = std::move(out);
        return;
    }
    std::size_t copied = 0;
    forEachLine(bytes, [&](const Line& line) {
        if (line.start == insertAt) {
            out.append(bytes.substr(copied, line.start - copied));
            copied = line.start;
            appendAdded();
            added.clear();
        }
        if (auto it = replaced.find(line.start); it != replaced.end()) {
            out.append(bytes.substr(copied, line.start - copied));
            out += it->second;
            copied = line.next;
        }
        return true;
    });
    out.append(bytes.substr(copied));
    if (!added.empty()) appendAdded();  // the section ran to the end of the file
    bytes_ = std::move(out);
}

std::string profileString(const IniDocument& doc, std::string_view section, std::string_view key,
                          std::string_view defaultText, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    std::optional<std::string_view> value = doc.find(section, key);
    if (!value) {
        while (!defaultText.empty() && defaultText.back() == ' ') defaultText.remove_suffix(1);
        return copyAsThePlatform(defaultText, false, bufferSize);
    }
    std::string_view v = *value;
    // A value in matching quotes comes without them.
    bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    if (quoted) v.remove_prefix(1);
    return copyAsThePlatform(v, quoted, bufferSize);
}

int32_t profileInt(const IniDocument& doc, std::string_view section, std::string_view key,
                   int32_t defaultValue) {
    // The platform reads the value through a 30-character buffer first.
    std::string text = profileString(doc, section, key, "", 30);
    if (text.empty()) return defaultValue;
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        if (text[i + 1] == 'x') base = 16;
        else if (text[i + 1] == 'o') base = 8;
        else if (text[i + 1] == 'b') base = 2;
        if (base != 10) i += 2;
    }
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit = (c >= '0' && c <= '9')   ? static_cast<unsigned>(c - '0')
                         : (c >= 'a' && c <= 'z') ? static_cast<unsigned>(c - 'a' + 10)
                         : (c >= 'A' && c <= 'Z') ? static_cast<unsigned>(c - 'A' + 10)
                                                  : 99u;
        if (digit >= base) break;
        value = value * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace airvane
