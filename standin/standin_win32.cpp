// standin.exe: a stand-in for the media player, so that Airvane can be run,
// shown and tested here. It answers Winamp's published messages with the
// results Airvane relies on, simulates playback, shows the playing title in
// its caption, has a file-info box and a SHOUTcast-style window, and keeps
// a journal of every message it receives.
//   standin [--track-seconds N] [--track-lengths A,B,C] [--journal FILE] [--no-shoutcast]
//           [--hang-on NAME] [--shoutcast-caption TEXT] [--no-file-info] [--freeze-after N]
// --track-seconds: every track lasts N seconds (20 when not given; 0: tracks
// never end). --track-lengths: the first track A seconds, the second B, the
// third and every later one C. --freeze-after: after N seconds of playing
// the position stops and no track ends, while the player says it plays.
// Without --journal the journal is standin-journal.log beside the program.
// The track questions (IPC_GETLISTPOS, IPC_GETOUTPUTTIME) come every few
// seconds: they are journaled only when their answer changed, and the
// position in the track (IPC_GETOUTPUTTIME 0) never.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "journal.h"
#include "playback.h"
#include "player/player.h"
#include "standin.h"
#include "storage/file_io.h"

namespace standin {

namespace {

// Winamp's version query and volume message, as Winamp 5.66 answers them.
constexpr LPARAM kIpcGetVersion = 0;
constexpr LPARAM kIpcSetVolume = 122;
constexpr LRESULT kVersion = 0x5066;

struct Options {
    std::vector<int> trackSeconds{20};
    bool shoutcast = true;
    bool fileInfo = true;  // false: its file-info box never appears
    std::string journal;
    std::string hangOn;
    std::string shoutcastCaption;  // the SHOUTcast window's, when not the English one
    int freezeAfterSec = -1;       // never
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--track-seconds" && hasValue) options.trackSeconds = {std::atoi(argv[++i])};
        else if (arg == "--track-lengths" && hasValue) {
            if (std::vector<int> lengths = parseTrackLengths(argv[++i]); !lengths.empty()) options.trackSeconds = lengths;
        }
        else if (arg == "--freeze-after" && hasValue) options.freezeAfterSec = std::atoi(argv[++i]);
        else if (arg == "--journal" && hasValue) options.journal = argv[++i];
        else if (arg == "--hang-on" && hasValue) options.hangOn = argv[++i];
        else if (arg == "--shoutcast-caption" && hasValue) options.shoutcastCaption = argv[++i];
        else if (arg == "--no-shoutcast") options.shoutcast = false;
        else if (arg == "--no-file-info") options.fileInfo = false;
    }
    // Started by Airvane from its INI, with no arguments: the journal beside
    // the program, where run.sh reads it.
    if (options.journal.empty()) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, sizeof path);
        options.journal = std::string(path).substr(0, std::string(path).rfind('\\') + 1) + "standin-journal.log";
    }
    return options;
}

// A fade is a run of volume sets 10 ms apart: journaled as one line, from
// its first set (with that set's time) to its last, when it ends.
struct VolumeRun {
    int sets = 0;
    Timestamp firstAt{};
    DWORD firstTick = 0, lastTick = 0;
    int first = 0, last = 0;
};

struct Standin {
    explicit Standin(const Options& o) : options(o), playback(o.trackSeconds, GetTickCount()), journal(o.journal) {
        if (o.freezeAfterSec >= 0) playback.freezeAfter(int64_t{o.freezeAfterSec} * 1000);
    }
    Options options;
    Playback playback;
    Journal journal;
    HWND main = nullptr;
    HWND fileInfo = nullptr;
    HWND shoutcast = nullptr;
    int volume = 255;
    VolumeRun volumeRun;
    ULONGLONG clockAt = GetTickCount64();  // playing time has been let pass up to here
    std::string caption;
    std::map<std::string, LRESULT> lastAnswers;  // of the questions journaled only when their answer changes
};

// Playing time passes by the real clock, to the millisecond, before every
// message is answered: the position told is the one of this moment.
void catchUp(Standin& s) {
    const ULONGLONG now = GetTickCount64();
    s.playback.advanceMs(static_cast<int64_t>(now - s.clockAt));
    s.clockAt = now;
}

Timestamp now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void hangIfAskedTo(const Standin& s, const std::string& name) {
    if (!s.options.hangOn.empty() && name == s.options.hangOn) {
        for (;;) Sleep(1000);
    }
}

// "IPC_SETVOLUME 255" for one set, "IPC_SETVOLUME 255..0 in 2550 ms (256 sets)" for a fade.
void endVolumeRun(Standin& s) {
    VolumeRun& run = s.volumeRun;
    if (run.sets == 0) return;
    std::string entry = "IPC_SETVOLUME " + std::to_string(run.first);
    if (run.sets > 1) {
        entry += ".." + std::to_string(run.last) + " in " + std::to_string(run.lastTick - run.firstTick) + " ms (" +
                 std::to_string(run.sets) + " sets)";
    }
    s.journal.write(run.firstAt, entry);
    run = VolumeRun{};
}

// Journals a message; a player asked to hang on it stops answering here.
void note(Standin& s, const std::string& entry) {
    endVolumeRun(s);
    s.journal.write(now(), entry);
    hangIfAskedTo(s, entry.substr(0, entry.find(' ')));
}

void setVolume(Standin& s, int volume) {
    hangIfAskedTo(s, "IPC_SETVOLUME");
    VolumeRun& run = s.volumeRun;
    const DWORD tick = GetTickCount();
    if (run.sets > 0 && tick - run.lastTick > 500) endVolumeRun(s);  // a pause: a set of its own
    if (run.sets++ == 0) {
        run.firstAt = now();
        run.firstTick = tick;
        run.first = volume;
    }
    run.lastTick = tick;
    run.last = volume;
    s.volume = volume;
}

void showCaption(Standin& s) {
    const std::string caption = s.playback.caption();
    if (caption == s.caption) return;
    s.caption = caption;
    SetWindowTextA(s.main, caption.c_str());
}

// A question asked every few seconds: journaled when its answer changed.
LRESULT answerQuietly(Standin& s, const std::string& question, LRESULT answer) {
    hangIfAskedTo(s, question.substr(0, question.find(' ')));
    auto [last, isNew] = s.lastAnswers.emplace(question, answer);
    if (isNew || last->second != answer) note(s, question + " " + std::to_string(answer));
    last->second = answer;
    return answer;
}

LRESULT onOutputTime(Standin& s, WPARAM wParam) {
    switch (wParam) {
        case 0:
            hangIfAskedTo(s, "IPC_GETOUTPUTTIME");
            return static_cast<LRESULT>(s.playback.positionMs());
        case 1: {
            const int64_t length = s.playback.lengthMs();
            return answerQuietly(s, "IPC_GETOUTPUTTIME 1", static_cast<LRESULT>(length < 0 ? -1 : length / 1000));
        }
        case 2:
            return answerQuietly(s, "IPC_GETOUTPUTTIME 2", static_cast<LRESULT>(s.playback.lengthMs()));
        default:
            return -1;
    }
}

bool isPlaylistFile(const std::string& path) {
    return path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".m3u") == 0;
}

// A playlist file becomes its tracks; any other file is one track.
void addToPlaylist(Standin& s, const std::string& path) {
    if (!isPlaylistFile(path)) {
        s.playback.add(path);
        return;
    }
    auto reader = airvane::openLineReader(path, nullptr);
    std::string line;
    while (reader && airvane::readLine(*reader, line, 1024)) {
        if (!line.empty() && line[0] != '#') s.playback.add(line);
    }
}

LRESULT onUser(Standin& s, WPARAM wParam, LPARAM lParam) {
    switch (lParam) {
        case kIpcGetVersion:
            return kVersion;
        case kIpcSetVolume:
            if (static_cast<int>(wParam) == -666) return s.volume;
            setVolume(s, static_cast<int>(std::min<WPARAM>(wParam, 255)));
            return 0;
        case airvane::winamp::kIpcDelete:
            note(s, "IPC_DELETE");
            s.playback.clear();
            return 0;
        case airvane::winamp::kIpcIsPlaying: {
            const int answer = static_cast<int>(s.playback.state());
            note(s, "IPC_ISPLAYING " + std::to_string(answer));
            return answer;
        }
        case airvane::winamp::kIpcSetShuffle:
            note(s, "IPC_SET_SHUFFLE " + std::to_string(wParam));
            s.playback.setShuffle(wParam != 0);
            return 0;
        case airvane::winamp::kIpcSetRepeat:
            note(s, "IPC_SET_REPEAT " + std::to_string(wParam));
            s.playback.setRepeat(wParam != 0);
            return 0;
        case airvane::winamp::kIpcGetListPos:
            return answerQuietly(s, "IPC_GETLISTPOS", s.playback.listIndex());
        case airvane::winamp::kIpcGetOutputTime:
            return onOutputTime(s, wParam);
        case airvane::winamp::kIpcSetPlaylistPos:
            note(s, "IPC_SETPLAYLISTPOS " + std::to_string(static_cast<int>(wParam)));
            s.playback.setListIndex(static_cast<int>(wParam));
            return 0;
        case airvane::winamp::kIpcJumpToTime: {
            const int answer = s.playback.jumpTo(static_cast<int64_t>(static_cast<int>(wParam)));
            note(s, "IPC_JUMPTOTIME " + std::to_string(static_cast<int>(wParam)) + " " + std::to_string(answer));
            return answer;
        }
        default:
            return 0;
    }
}

LRESULT onCopyData(Standin& s, const COPYDATASTRUCT* data) {
    if (!data || data->dwData != airvane::winamp::kIpcPlayFile || !data->lpData) return 0;
    const char* text = static_cast<const char*>(data->lpData);
    const std::size_t length = strnlen(text, data->cbData);
    const std::string path(text, length);
    std::string entry = "IPC_PLAYFILE " + path;
    // The sender counts the terminating zero; say so when it did not.
    if (data->cbData != length + 1) {
        entry += " [cbData " + std::to_string(data->cbData) + ", expected " + std::to_string(length + 1) + "]";
    }
    note(s, entry);
    addToPlaylist(s, path);
    return 1;
}

INT_PTR CALLBACK fileInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* s = reinterpret_cast<Standin*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && s) {
        note(*s, "FILEINFO WM_COMMAND 2");
        DestroyWindow(dialog);
        s->fileInfo = nullptr;
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

void showFileInfo(Standin& s) {
    if (!s.fileInfo) {
        s.fileInfo = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FILE_INFO), s.main,
                                        fileInfoProc, reinterpret_cast<LPARAM>(&s));
    }
    SetDlgItemTextA(s.fileInfo, IDC_FILE_INFO_PATH, s.playback.currentTrack().c_str());
    ShowWindow(s.fileInfo, SW_SHOWNOACTIVATE);
}

LRESULT onCommand(Standin& s, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case airvane::winamp::kButtonPlay:
            note(s, "WINAMP_BUTTON2");
            s.playback.play();
            break;
        case airvane::winamp::kButtonPause:
            note(s, "WINAMP_BUTTON3");
            s.playback.pause();
            break;
        case airvane::winamp::kButtonStop:
            note(s, "WINAMP_BUTTON4");
            s.playback.stop();
            break;
        case airvane::winamp::kButtonFadeStop:
            note(s, "WINAMP_BUTTON4_SHIFT");
            s.playback.stop();
            break;
        case airvane::winamp::kEditId3:
            note(s, "WINAMP_EDIT_ID3");
            if (s.options.fileInfo) showFileInfo(s);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* s = reinterpret_cast<Standin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!s) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (message == WM_USER || message == WM_COPYDATA || message == WM_COMMAND || message == WM_TIMER) catchUp(*s);
    switch (message) {
        case WM_USER:
            result = onUser(*s, wParam, lParam);
            break;
        case WM_COPYDATA:
            result = onCopyData(*s, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            break;
        case WM_COMMAND:
            result = onCommand(*s, wParam);
            break;
        case WM_TIMER:
            if (GetTickCount() - s->volumeRun.lastTick > 500) endVolumeRun(*s);
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
    showCaption(*s);
    return result;
}

// The title field journals what is written into it.
LRESULT CALLBACK titleFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(field, "standin.original"));
    if (message == WM_SETTEXT) {
        auto* s = reinterpret_cast<Standin*>(GetWindowLongPtrA(GetParent(field), DWLP_USER));
        if (s) note(*s, std::string("SHOUTCAST 1011 WM_SETTEXT ") + reinterpret_cast<const char*>(lParam));
    }
    return CallWindowProcA(original, field, message, wParam, lParam);
}

INT_PTR CALLBACK shoutcastProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        HWND field = GetDlgItem(dialog, IDC_SHOUTCAST_TITLE);
        SetPropA(field, "standin.original",
                 reinterpret_cast<HANDLE>(SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(titleFieldProc))));
        CheckDlgButton(dialog, IDC_SHOUTCAST_AUTO, BST_CHECKED);
        return TRUE;
    }
    auto* s = reinterpret_cast<Standin*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_COMMAND && s) {
        char title[260] = "";
        switch (LOWORD(wParam)) {
            case IDC_SHOUTCAST_AUTO:
                note(*s, "SHOUTCAST WM_COMMAND 1012 " +
                             std::to_string(IsDlgButtonChecked(dialog, IDC_SHOUTCAST_AUTO) == BST_CHECKED ? 1 : 0));
                return TRUE;
            case IDC_SHOUTCAST_APPLY:
                GetDlgItemTextA(dialog, IDC_SHOUTCAST_TITLE, title, sizeof title);
                note(*s, std::string("SHOUTCAST WM_COMMAND 1004 ") + title);
                return TRUE;
            default:
                break;
        }
    }
    return FALSE;
}

int run(HINSTANCE instance, int showCommand) {
    Standin s(parseOptions(__argc, __argv));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = mainProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = airvane::winamp::kWindowClass;
    RegisterClassA(&windowClass);
    s.main = CreateWindowA(airvane::winamp::kWindowClass, "Winamp", WS_OVERLAPPEDWINDOW, 10, 10, 320, 90, nullptr,
                           nullptr, instance, &s);
    if (!s.main) return 1;
    ShowWindow(s.main, showCommand);
    if (s.options.shoutcast) {
        s.shoutcast = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SHOUTCAST), s.main, shoutcastProc,
                                         reinterpret_cast<LPARAM>(&s));
        if (!s.options.shoutcastCaption.empty()) SetWindowTextA(s.shoutcast, s.options.shoutcastCaption.c_str());
        SetWindowPos(s.shoutcast, nullptr, 10, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(s.shoutcast, SW_SHOWNOACTIVATE);
    }
    // Often enough that a track ends, and the caption changes, on time.
    SetTimer(s.main, 1, 100, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (s.shoutcast && IsDialogMessageA(s.shoutcast, &message)) continue;
        if (s.fileInfo && IsDialogMessageA(s.fileInfo, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

}  // namespace standin

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return standin::run(instance, showCommand);
}
