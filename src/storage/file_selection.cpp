#include "storage/file_selection.h"

#include "storage/text.h"

namespace airvane {

std::vector<std::string> selectedPaths(const std::string& answer) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < answer.size()) {
        std::size_t end = answer.find('\0', start);
        if (end == std::string::npos) end = answer.size();
        if (end == start) break;  // the empty string that ends the list
        parts.push_back(answer.substr(start, end - start));
        start = end + 1;
    }
    if (parts.size() <= 1) return parts;
    std::string folder = parts.front();
    ensureBackslash(folder);
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

}  // namespace airvane
