// Byte-wise text helpers. Text is in the system code page (CP949 here);
// nothing here knows about multi-byte characters, by design: the stored
// files and the player only ever compare bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace airvane {

// Fixed limits of the stored formats and of the Windows ANSI API.
inline constexpr std::size_t kPathMax = 259;        // characters of a path or title
inline constexpr std::size_t kShortValueMax = 79;   // characters of a short INI value

void appendChar(std::string& text, char c);
// Inserts before the byte at index (clamped to the end of the text).
void insertText(std::string& text, std::size_t index, std::string_view insert);

// Indices count from 0; -1 when absent.
int findChar(std::string_view text, char c);
int findLastChar(std::string_view text, char c);
int findText(std::string_view text, std::string_view pattern);

// A list of strings, each with its terminator, closed by an empty string
// (the layout of a file-dialog filter).
const char* nextString(const char* text);
const char* skipStrings(const char* list, int n);

// Cuts text at the first c and returns what followed it; nullopt (text left
// as it was) when c does not occur.
std::optional<std::string> splitAt(std::string& text, char c);

void replaceExtension(std::string& path, std::string_view extension);
std::string_view fileNamePart(std::string_view path);
std::string_view extensionPart(std::string_view path);
void ensureBackslash(std::string& path);
void trimBlanks(std::string& text);
// Drops a last CP949 lead byte whose trail byte was cut off (a text read
// into a buffer that was too small).
void dropCutCharacter(std::string& text);
// Equal but for the case of ASCII letters; the second byte of a CP949
// character is never taken for one.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Cuts text to at most max bytes; the stored formats have fixed buffers.
void limitLength(std::string& text, std::size_t max);

}  // namespace airvane
