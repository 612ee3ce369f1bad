// An INI (profile) file held as its bytes. Lookups follow the rules of the
// Windows profile functions (names without regard to case, the first
// matching section and key win, blanks trimmed, quotes stripped); edits
// rewrite only the lines they change and keep every other byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace airvane {

struct IniEntry {
    std::string key;
    std::string value;
};

class IniDocument {
public:
    explicit IniDocument(std::string bytes = {}) : bytes_(std::move(bytes)) {}
    IniDocument(const IniDocument& other) : bytes_(other.bytes_) {}
    IniDocument& operator=(const IniDocument& other) {
        bytes_ = other.bytes_;
        index_.reset();
        return *this;
    }
    // The index points into the bytes, which a move may relocate.
    IniDocument(IniDocument&& other) noexcept : bytes_(std::move(other.bytes_)) { other.index_.reset(); }
    IniDocument& operator=(IniDocument&& other) noexcept {
        bytes_ = std::move(other.bytes_);
        index_.reset();
        other.index_.reset();
        return *this;
    }

    // The value of key in the first section of that name, blanks trimmed and
    // quotes kept; nullopt when the key is missing or its line has no "=".
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // Sets every key of entries in section, adding the section and the keys
    // that are missing. One pass over the file, however many entries.
    void assign(std::string_view section, std::span<const IniEntry> entries);

    const std::string& bytes() const { return bytes_; }

private:
    // Lowered section name -> lowered key name -> value, for the first
    // section of each name and the first key of each name in it. Built on
    // the first lookup, so that reading a whole section costs one pass.
    using KeyIndex = std::unordered_map<std::string, std::optional<std::string_view>>;
    using Index = std::unordered_map<std::string, KeyIndex>;
    const Index& index() const;

    std::string bytes_;
    mutable std::optional<Index> index_;
};

// GetPrivateProfileStringA over a document: the value (or the default) as it
// lands in a buffer of bufferSize bytes, i.e. at most bufferSize - 1 bytes,
// never ending on half a double-byte character.
std::string profileString(const IniDocument& doc, std::string_view section, std::string_view key,
                          std::string_view defaultText, std::size_t bufferSize);

// GetPrivateProfileIntA over a document: the number at the start of the
// value ("0x", "0o" and "0b" prefixes, an optional sign), the default when
// the key is missing or empty.
int32_t profileInt(const IniDocument& doc, std::string_view section, std::string_view key,
                   int32_t defaultValue);

}  // namespace airvane
