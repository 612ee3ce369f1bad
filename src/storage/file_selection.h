// The answer of a multiple-selection open dialog: one full path, or a
// folder followed by file names, each terminated.
#pragma once

#include <string>
#include <vector>

namespace airvane {

std::vector<std::string> selectedPaths(const std::string& answer);

}  // namespace airvane
