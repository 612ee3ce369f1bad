// showMessage on a real message box: the caption comes from the owner, the
// answer from the button pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "storage/message_box_win32.h"

namespace airvane {
namespace {

struct SeenBox {
    std::string caption;
    std::string text;
};

// Waits for a message box of this process, reads it and presses a button.
std::thread answerBox(SeenBox& seen, int button) {
    return std::thread([&seen, button] {
        for (int i = 0; i < 200; ++i) {
            HWND box = nullptr;
            EnumWindows(
                [](HWND w, LPARAM out) -> BOOL {
                    char cls[32];
                    DWORD pid = 0;
                    GetWindowThreadProcessId(w, &pid);
                    if (pid == GetCurrentProcessId() && GetClassNameA(w, cls, sizeof cls) &&
                        std::string(cls) == "#32770" && IsWindowVisible(w)) {
                        *reinterpret_cast<HWND*>(out) = w;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&box));
            if (box) {
                char text[256];
                GetWindowTextA(box, text, sizeof text);
                seen.caption = text;
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the static of a message box
                seen.text = text;
                PostMessageA(box, WM_COMMAND, button, 0);
                return;
            }
            Sleep(50);
        }
    });
}

TEST(ShowMessage, TakesTheOwnersCaptionAndReturnsTheAnswer) {
    HWND owner = CreateWindowA("STATIC", "Airvane 2.02 - 12:00:00", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owner);
    SeenBox seen;
    std::thread answer = answerBox(seen, IDNO);
    int result = showMessage(owner, "선택한 스케쥴의 파일목록만 지울까요?", kMsgYesNoCancel);
    answer.join();
    EXPECT_EQ(result, kAnswerNo);
    EXPECT_EQ(seen.caption, "Airvane 2.02 - 12:00:00");
    EXPECT_EQ(seen.text, "선택한 스케쥴의 파일목록만 지울까요?");

    WindowMessages messages(owner);
    std::thread cancel = answerBox(seen, IDCANCEL);
    EXPECT_EQ(messages.showMessage("모든 스케쥴이 삭제됩니다. 진행할까요?", kMsgOkCancelStop), kAnswerCancel);
    cancel.join();
    DestroyWindow(owner);
}

}  // namespace
}  // namespace airvane
