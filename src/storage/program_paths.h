// The two places beside the program's executable that it writes to.
#pragma once

#include <string>

namespace airvane {

// The "LOG" folder beside the executable: its file-name part replaced.
std::string logDirectoryFor(const std::string& modulePath);
// The executable's path with the extension "INI".
std::string configFileFor(const std::string& modulePath);

}  // namespace airvane
