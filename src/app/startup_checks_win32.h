// What Airvane checks before it goes on air, so that a PC set up in a way
// that would break it says so at once instead of failing quietly later.
#pragma once

#include <string>

namespace airvane {

// Titles and paths are CP949 bytes: on a PC whose code page for programs
// without Unicode is another (another language, or Windows 11's "Beta: Use
// Unicode UTF-8"), they would come out broken. False after telling the
// operator (in UTF-16, which any code page shows) which setting to change.
bool koreanCodePageOrSaySo();

// The program writes beside itself (its INI, schedules, the LOG folder). ""
// when the folder takes a file; otherwise the word for the operator (a
// folder under Program Files is read-only for a program that is not
// elevated, and a 64-bit program gets no redirection there).
std::string programFolderProblem(const std::string& folder);

}  // namespace airvane
