// What each platform's file-system side provides to the shared part.
#pragma once

#include <cstdio>
#include <string>

namespace airvane {

// Puts from in to's place, replacing it, in one step.
bool replaceFile(const std::string& from, const std::string& to);
// Pushes what the file holds through to the disk.
bool flushToDisk(std::FILE* f);
// Two file paths that name the same file by their text, as Windows compares
// them (without regard to case).
bool samePathText(const std::string& a, const std::string& b);

}  // namespace airvane
