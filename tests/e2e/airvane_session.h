// Helpers for scenarios with a running Airvane: its folder, its job file,
// its window and tree, and small actions on them from outside.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "airvane_process.h"

namespace airvane::e2e {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

inline std::string windowText(HWND window) {
    char text[300] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

inline HTREEITEM treeItem(HWND tree, HTREEITEM from, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

inline void selectItem(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

inline void command(HWND window, int id) { PostMessageA(window, WM_COMMAND, id, 0); }

// Lets windows that the test itself owns (a fake player) answer whoever
// sends to them, as a real program's would.
inline void pumpOwnMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Waits until the text of a window is what is expected, up to milliseconds.
// On failure says what the window showed last and whether its program still
// answered, which tells a slow program from a hung one.
inline ::testing::AssertionResult waitForText(HWND window, const std::string& expected, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (windowText(window) == expected) return ::testing::AssertionSuccess();
        pumpOwnMessages();
        Sleep(100);
    } while (GetTickCount() - start <= milliseconds);
    DWORD_PTR ignored = 0;
    const bool answers = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
    return ::testing::AssertionFailure() << "after " << milliseconds << " ms the text is \"" << windowText(window)
                                         << "\"; its program " << (answers ? "answers" : "does not answer");
}

// Waits until a file holds exactly the expected bytes, up to milliseconds.
inline ::testing::AssertionResult waitForFile(const std::string& path, const std::string& expected,
                                              DWORD milliseconds) {
    const DWORD start = GetTickCount();
    std::string bytes;
    do {
        if ((bytes = readFile(path)) == expected) return ::testing::AssertionSuccess();
        Sleep(100);
    } while (GetTickCount() - start <= milliseconds);
    return ::testing::AssertionFailure() << path << " holds \"" << bytes << "\"";
}

class AirvaneSession : public ::testing::Test {
protected:
    // Airvane in a new run folder, with schedule as its job file.
    void start(const std::string& name, const std::string& schedule) {
        prepare(name, schedule);
        launch();
    }
    // The run folder, its job file and an INI that names it, more appended.
    void prepare(const std::string& name, const std::string& schedule, const std::string& moreIni = "") {
        folder = prepareRunFolder(name);
        job = folder + "\\week.scd";
        writeFile(job, schedule);
        writeFile(folder + "\\airvane.INI", "[Config]\r\nJobFile=" + job + "\r\n" + moreIni);
        writeFile(folder + "\\a.mp3", "not really audio");
    }
    void launch() {
        if (!app) app = std::make_unique<AirvaneProcess>(folder);
        window = app->waitForWindow(15000);
        ASSERT_TRUE(window);
        tree = GetDlgItem(window, 100);
    }
    // Answers Airvane's next dialog with button; the dialog's text. A
    // dialog that was just told to close is waited for and not taken.
    std::string answer(int button, HWND closing = nullptr) {
        for (int i = 0; i < 100 && closing && IsWindow(closing); ++i) Sleep(50);
        HWND box = app->waitForDialog(closing);
        if (!box) return "(no dialog came)";
        const std::string text = itemText(box, 0xFFFF);
        SendMessageA(box, WM_COMMAND, button, 0);
        return text;
    }
    void TearDown() override {
        if (window && IsWindow(window)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            // Answer a save prompt, if one comes, with No.
            for (int i = 0; i < 150 && app->waitForExit(100) == -1; ++i) {
                if (HWND prompt = app->waitForDialog(nullptr, 0)) SendMessageA(prompt, WM_COMMAND, IDNO, 0);
            }
        }
    }

    std::string folder, job;
    std::unique_ptr<AirvaneProcess> app;
    HWND window = nullptr;
    HWND tree = nullptr;
};

}  // namespace airvane::e2e
