#include "storage/config_file.h"

#include <cstdio>

#include "storage/filesystem.h"
#include "storage/text.h"

namespace airvane {

IniDocument ConfigFile::read() const { return IniDocument(readWholeFile(path_).value_or(std::string())); }

std::string ConfigFile::readProfileText(std::string_view section, std::string_view key,
                                        std::string_view defaultText) const {
    return profileString(read(), section, key, defaultText, kShortValueMax + 1);
}

std::string ConfigFile::readProfileTextSized(std::string_view section, std::string_view key,
                                             std::size_t bufferSize) const {
    return profileString(read(), section, key, "", bufferSize);
}

int32_t ConfigFile::readProfileInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    return profileInt(read(), section, key, defaultValue);
}

bool ConfigFile::writeProfileSection(std::string_view section, std::span<const IniEntry> entries) {
    std::optional<std::string> bytes = readWholeFile(path_);
    // A file that exists but cannot be read must not be replaced by one that
    // holds only this change.
    if (!bytes && pathKind(path_) != 0) return false;
    IniDocument doc(bytes.value_or(std::string()));
    doc.assign(section, entries);
    return writeFileAtomically(path_, doc.bytes());
}

bool ConfigFile::writeProfileText(std::string_view section, std::string_view key, std::string_view text) {
    const IniEntry entry{std::string(key), std::string(text)};
    return writeProfileSection(section, std::span(&entry, 1));
}

std::string formatProfileInts(int32_t a, int32_t b, int32_t c, int32_t d) {
    char value[48];
    if (d != kAbsent) std::snprintf(value, sizeof value, "%d %d %d %d", a, b, c, d);
    else if (c != kAbsent) std::snprintf(value, sizeof value, "%d %d %d", a, b, c);
    else if (b != kAbsent) std::snprintf(value, sizeof value, "%d %d", a, b);
    else std::snprintf(value, sizeof value, "%d", a);
    return value;
}

bool ConfigFile::writeProfileInts(std::string_view section, std::string_view key, int32_t a, int32_t b,
                                  int32_t c, int32_t d) {
    return writeProfileText(section, key, formatProfileInts(a, b, c, d));
}

}  // namespace airvane
