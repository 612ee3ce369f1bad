// Kills airvane.exe while it saves (command 109) at random moments, and
// checks that its job file then holds its complete old content or its
// complete new content. Each round starts Airvane on a large job file,
// empties the first Schedule's file list (the change to save), posts the
// save and kills the process after a random delay.
//   kill_save FOLDER-OF-AIRVANE.EXE RUN-FOLDER KILLS FORM(scd|INI)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "airvane_start.h"

namespace {

using namespace airvane::test;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct Round {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;

    explicit Round(const std::string& folder) {
        // One Airvane at a time: a window of the last round still there
        // would make this start only bring that one to the front.
        for (int i = 0; i < 500 && FindWindowA("Airvane", nullptr); ++i) Sleep(20);
        info = airvane::e2e::startAirvane(folder);
        if (info.hProcess) window = airvane::e2e::waitForAirvaneWindow(info.dwProcessId, 20000);
    }
    ~Round() {
        if (!info.hProcess) return;
        TerminateProcess(info.hProcess, 9);
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hProcess);
    }
    // Empties the first Schedule's files, answering the question with Yes.
    bool makeAChange() {
        HWND tree = GetDlgItem(window, 100);
        LPARAM root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, root));
        PostMessageA(window, WM_COMMAND, 107, 0);
        const DWORD id = info.dwProcessId;
        HWND question = waitForTopLevel([id](HWND w) { return windowProcess(w) == id && isShownDialog(w); }, 10000);
        if (!question) return false;
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        for (int i = 0; i < 100 && IsWindow(question); ++i) Sleep(20);
        return true;
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fputs("usage: kill_save FOLDER-OF-AIRVANE.EXE RUN-FOLDER KILLS scd|INI\n", stderr);
        return 2;
    }
    // CTest hands Unix paths inside the build tree, which is drive D:.
    auto windowsPath = [](std::string path) {
        if (std::size_t at = path.find("/build/"); path.rfind("/", 0) == 0 && at != std::string::npos) {
            path = "D:/" + path.substr(at + 7);
        }
        for (char& c : path)
            if (c == '/') c = '\\';
        return path;
    };
    const std::string build = windowsPath(argv[1]), folder = windowsPath(argv[2]), form = argv[4];
    const int kills = std::atoi(argv[3]);
    CreateDirectoryA(folder.substr(0, folder.rfind('\\')).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((build + "\\airvane.exe").c_str(), (folder + "\\airvane.exe").c_str(), FALSE);
    // Its player, started at every start: one that only notes it, so that
    // no round searches the drives for it.
    CopyFileA((build + "\\companion.exe").c_str(), (folder + "\\WINAMP.EXE").c_str(), FALSE);
    const std::string job = folder + "\\week." + form;
    std::string old = form == "INI" ? "[Config]\r\nFadeoutTime=3\r\n\r\n[Schedule]\r\n-1=Airvane Data V1.0\r\n" : "Airvane Data V1.0\r\n";
    int key = 0;
    auto entry = [&](const std::string& text) {
        old += form == "INI" ? std::to_string(key++) + "=" + text + "\r\n" : text + "\r\n";
    };
    for (int s = 0; s < 200; ++s) {
        entry("-1 " + std::to_string(s % 24) + ":0:0 " + std::to_string(s % 24) + ":30:0 0/0/0 0|Programme " + std::to_string(s) + ".m3u");
        entry("{");
        for (int f = 0; f < 100; ++f) entry("|D:\\Music\\" + std::to_string(s) + "\\Track " + std::to_string(f) + ".mp3");
        entry("}");
    }
    entry("");
    writeAll(folder + "\\airvane.INI", "[Config]\r\nJobFile=" + job + "\r\n");

    // The new content, from one save left to finish; and how long it takes.
    writeAll(job, old);
    std::string fresh;
    DWORD saveMs = 0;
    {
        Round round(folder);
        if (!round.window || !round.makeAChange()) return std::fputs("kill_save: Airvane did not come\n", stderr), 1;
        const DWORD start = GetTickCount();
        PostMessageA(round.window, WM_COMMAND, 109, 0);
        while (readAll(job) == old && GetTickCount() - start < 20000) Sleep(1);
        saveMs = GetTickCount() - start;
        Sleep(500);
        fresh = readAll(job);
    }
    int olds = 0, news = 0, torn = 0;
    srand(GetTickCount());
    for (int k = 0; k < kills; ++k) {
        writeAll(job, old);
        Round round(folder);
        if (!round.window || !round.makeAChange()) return std::fputs("kill_save: Airvane did not come\n", stderr), 1;
        PostMessageA(round.window, WM_COMMAND, 109, 0);
        Sleep(static_cast<DWORD>(rand() % (2 * saveMs + 2)));
        TerminateProcess(round.info.hProcess, 9);
        WaitForSingleObject(round.info.hProcess, 10000);
        const std::string now = readAll(job);
        if (now == old) ++olds;
        else if (now == fresh) ++news;
        else ++torn, std::printf("torn: %zu bytes\n", now.size());
    }
    std::printf("%s form: %d kills of airvane.exe during saves of about %lu ms: %d old, %d new, %d torn\n", form.c_str(),
                kills, saveMs, olds, news, torn);
    return torn == 0 ? 0 : 1;
}
