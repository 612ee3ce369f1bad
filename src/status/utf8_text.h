// The program keeps its texts in the system code page (CP949 on a Korean
// Windows); what leaves it for the web is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace airvane {

// A byte the code page does not know becomes "?": a broken title still
// leaves a valid document.
std::string systemTextToUtf8(std::string_view text);

}  // namespace airvane
