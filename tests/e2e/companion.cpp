// Stands in for a companion program (the player, the tag editor, ...) that
// Airvane starts: it notes its own path (and the arguments it was given,
// when there are any) in "started.log" beside itself and ends at once.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string log = path;
    log = log.substr(0, log.rfind('\\') + 1) + "started.log";
    if (std::FILE* f = std::fopen(log.c_str(), "ab")) {
        std::fprintf(f, *arguments ? "%s %s\r\n" : "%s\r\n", path, arguments);
        std::fclose(f);
    }
    return 0;
}
