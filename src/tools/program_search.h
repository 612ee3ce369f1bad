// Finding a companion program by its file name when the remembered path no
// longer leads to it: a depth-first walk of one drive, as a station's disks
// are laid out, stopping at the first copy.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace airvane {

// The full path of the first file named fileName (any case; the spelling on
// the disk is kept) under folder, which ends in a backslash. Folders are
// walked in their listing's order, each before the entries that follow it.
// No path passes 259 characters, and links are not followed: a junction
// such as "Application Data" leads back to its own parent.
// nullopt when there is none or when stop was set.
std::optional<std::string> findProgramUnder(const std::string& folder, std::string_view fileName,
                                            const std::atomic<bool>& stop);

}  // namespace airvane
