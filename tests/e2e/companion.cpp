// Stands in for a companion program (the player, the tag editor, ...) that
// Airvane starts: it notes its own path (and the arguments it was given,
// when there are any) in "started.log" beside itself and ends at once.
// Started as the alert command, it notes the details it was given in its
// environment too, each after a tab.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string log = path;
    log = log.substr(0, log.rfind('\\') + 1) + "started.log";
    std::string line = path;
    if (*arguments) line += std::string(" ") + arguments;
    // The C runtime's copy: under Wine, GetEnvironmentVariableA cut a
    // Korean value short (40 of its 62 bytes).
    for (const char* name : {"AIRVANE_EVENT", "AIRVANE_TIME", "AIRVANE_TITLE", "AIRVANE_DETAIL"}) {
        if (const char* value = std::getenv(name)) line += std::string("\t") + name + "=" + value;
    }
    if (std::FILE* f = std::fopen(log.c_str(), "ab")) {
        std::fputs((line + "\r\n").c_str(), f);
        std::fclose(f);
    }
    return 0;
}
