// showMessage on a real message box: the caption comes from the owner, the
// answer from the button pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "dialog_driver.h"
#include "storage/message_box_win32.h"

namespace airvane {
namespace {

struct SeenBox {
    std::string caption;
    std::string text;
};

// Reads the next message box and presses a button on it.
std::thread answerBox(SeenBox& seen, int button) {
    return test::onNextDialog([&seen, button](HWND box) {
        char text[256];
        GetWindowTextA(box, text, sizeof text);
        seen.caption = text;
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the static of a message box
        seen.text = text;
        PostMessageA(box, WM_COMMAND, button, 0);
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
