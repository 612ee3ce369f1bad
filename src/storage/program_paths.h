// The places beside the program's executable that it writes to.
#pragma once

#include <string>

namespace airvane {

// The "LOG" folder beside the executable: its file-name part replaced.
std::string logDirectoryFor(const std::string& modulePath);
// The executable's path with the extension "INI".
std::string configFileFor(const std::string& modulePath);
// The note of a volume a fade lowered and has not yet put back, in the
// program's folder.
std::string volumeNotePath(const std::string& programFolder);

}  // namespace airvane
