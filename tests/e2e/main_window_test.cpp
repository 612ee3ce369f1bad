// The main window driven from outside, as an operator would: commands,
// keys, dialogs answered, what it shows and what it writes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <regex>

#include "airvane_session.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

class MainWindow : public AirvaneSession {};

const std::string kEmpty = "Airvane Data V1.0\r\n\r\n";
const std::string kOneSchedule =
    "Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n{\r\n|D:\\a.mp3\r\n|D:\\b.mp3\r\n}\r\n\r\n";

TEST_F(MainWindow, AScheduleAndAFileAddedByHandAreSaved) {
    start("main-add", kEmpty);
    selectItem(tree, treeItem(tree, nullptr, TVGN_ROOT));
    command(window, 106);
    HWND editor = app->waitForDialog();
    ASSERT_TRUE(editor);
    EXPECT_EQ(windowText(editor), "스케쥴 추가");
    SetDlgItemTextA(editor, 106, "Evening News");
    SetDlgItemTextA(editor, 100, "18");
    SendMessageA(GetDlgItem(editor, 107), BM_CLICK, 0, 0);  // give an end time
    SetDlgItemTextA(editor, 103, "19");
    SetDlgItemTextA(editor, 104, "30");
    SendMessageA(GetDlgItem(editor, 111), BM_CLICK, 0, 0);  // shuffle
    command(editor, IDOK);
    ASSERT_TRUE(app->noDialogStays());

    std::vector<RemoteItem> items = readRemoteTree(tree);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, "Evening News (18:00:00 - 19:30:00)");

    // A File under it, through the open-file dialog.
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 106);
    HWND open = app->waitForDialog();
    ASSERT_TRUE(open);
    const std::string audio = folder + "\\a.mp3";
    if (!SetDlgItemTextA(open, 0x480, audio.c_str())) SetDlgItemTextA(open, 0x47C, audio.c_str());
    command(open, IDOK);
    ASSERT_TRUE(app->noDialogStays());
    items = readRemoteTree(tree);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].text, audio);

    command(window, 109);
    EXPECT_TRUE(waitForFile(job,
                            "Airvane Data V1.0\r\n-1 18:0:0 19:30:0 0/0/0 1|Evening News.m3u\r\n{\r\n|" + audio +
                                "\r\n}\r\n\r\n",
                            5000));
}

TEST_F(MainWindow, DeletingTheRootAnsweredOkLeavesOnlyTheRoot) {
    start("main-delete", kOneSchedule);
    ASSERT_EQ(readRemoteTree(tree).size(), 4u);
    selectItem(tree, treeItem(tree, nullptr, TVGN_ROOT));
    command(window, 107);
    HWND question = app->waitForDialog();
    ASSERT_TRUE(question);
    EXPECT_EQ(itemText(question, 0xFFFF), "모든 스케쥴이 삭제됩니다. 진행할까요?");
    SendMessageA(question, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app->noDialogStays());
    std::vector<RemoteItem> items = readRemoteTree(tree);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "방송 스케쥴");
}

TEST_F(MainWindow, EditOnTheRootIsRefusedAndCancelOnCloseKeepsItRunning) {
    start("main-close", kOneSchedule);
    selectItem(tree, treeItem(tree, nullptr, TVGN_ROOT));
    command(window, 108);
    HWND refusal = app->waitForDialog();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(itemText(refusal, 0xFFFF), "여기는 수정할 수 없습니다");
    SendMessageA(refusal, WM_COMMAND, IDOK, 0);

    // Delete the Schedule's files (Yes), then try to close: Cancel keeps it.
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 107);
    HWND question = app->waitForDialog();
    ASSERT_TRUE(question);
    EXPECT_EQ(itemText(question, 0xFFFF), "선택한 스케쥴의 파일목록만 지울까요?");
    SendMessageA(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(app->noDialogStays());
    EXPECT_EQ(readRemoteTree(tree).size(), 2u);

    PostMessageA(window, WM_CLOSE, 0, 0);
    HWND prompt = app->waitForDialog();
    ASSERT_TRUE(prompt);
    EXPECT_EQ(itemText(prompt, 0xFFFF), "변경된 내용을 저장하시겠습니까?");
    SendMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(app->waitForExit(2000), -1) << "still running";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(readFile(job), kOneSchedule) << "nothing saved";
}

// Keys reach the window through its message loop, as typed keys do.
TEST_F(MainWindow, EnterOnTheTreeEditsAndEscapeMinimises) {
    start("main-keys", kOneSchedule);
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    PostMessageA(tree, WM_KEYDOWN, VK_RETURN, 0);
    HWND editor = app->waitForDialog();
    ASSERT_TRUE(editor);
    EXPECT_EQ(windowText(editor), "스케쥴 수정");
    char title[64] = "";  // an edit control keeps its text to itself: ask it
    SendMessageA(GetDlgItem(editor, 106), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ(title, "Morning.m3u") << "the selected Schedule is the one edited";
    SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(app->noDialogStays());

    PostMessageA(tree, WM_KEYDOWN, VK_ESCAPE, 0);
    bool minimised = false;
    for (int i = 0; i < 50 && !(minimised = IsIconic(window)); ++i) Sleep(100);
    EXPECT_TRUE(minimised);
    EXPECT_TRUE(IsWindow(window)) << "Esc hides nothing away for good";
}

TEST_F(MainWindow, ThePlayerWindowIsNoticedAndItsDepartureToo) {
    start("main-player", kEmpty);
    command(window, 122);  // no scheduler: its monitor would show the player's title instead
    HWND status = GetDlgItem(window, 110);
    EXPECT_TRUE(waitForText(status, "WinAmp를 실행하세요", 5000));

    WNDCLASSA playerClass{};
    playerClass.lpfnWndProc = DefWindowProcA;
    playerClass.hInstance = GetModuleHandleA(nullptr);
    playerClass.lpszClassName = "Winamp v1.x";
    RegisterClassA(&playerClass);
    HWND player = CreateWindowA("Winamp v1.x", "Winamp", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(player);
    // The search looks every 4 s; a second more for a loaded machine.
    EXPECT_TRUE(waitForText(status, "WinAmp를 찾았습니다", 5000));
    DestroyWindow(player);
    EXPECT_TRUE(waitForText(status, "WinAmp를 실행하세요", 5000));
}

TEST_F(MainWindow, TheTitleKeepsExactlyOneClock) {
    start("main-title", kEmpty);
    Sleep(3000);
    const std::string title = windowText(window);
    EXPECT_TRUE(std::regex_match(title, std::regex("Airvane 2\\.02 - [0-2][0-9]:[0-5][0-9]:[0-5][0-9]"))) << title;
}

}  // namespace
}  // namespace airvane::e2e
