// The open and save dialogs, answered as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_driver.h"
#include "storage/file_dialog_win32.h"
#include "storage/filesystem.h"

namespace airvane {
namespace {

constexpr int kFileNameEdit = 0x480;   // edt1 of the classic dialog
constexpr int kFileNameCombo = 0x47C;  // cmb13 of the explorer-style dialog

std::string folder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "airvane-dialog-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

// Types name into the dialog's file-name field and presses OK.
std::thread typeAndAccept(std::string& title, const std::string& name) {
    return test::onNextDialog([&title, name](HWND dialog) {
        char text[128];
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        if (!SetDlgItemTextA(dialog, kFileNameEdit, name.c_str()))
            SetDlgItemTextA(dialog, kFileNameCombo, name.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}

TEST(FileDialogs, SaveTakesTheDefaultTitleAndExtension) {
    const std::string dir = folder();
    std::string title;
    std::string path;
    std::thread user = typeAndAccept(title, dir + "\\week");
    EXPECT_TRUE(saveFileDialog(nullptr, path, 260, nullptr, kScheduleFilter, OFN_OVERWRITEPROMPT));
    user.join();
    EXPECT_EQ(title, "저장올 파일명을 입력하세요");
    EXPECT_STREQ(path.c_str(), (dir + "\\week.scd").c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(FileDialogs, OpenReturnsTheChosenExistingFile) {
    const std::string dir = folder();
    const std::string file = dir + "\\아침.scd";
    ASSERT_TRUE(writeFileAtomically(file, "Airvane Data V1.0\r\n"));
    std::string title;
    std::string path = "initial.scd";
    std::thread user = typeAndAccept(title, file);
    EXPECT_TRUE(openFileDialog(nullptr, path, 260, "불러올 스케쥴 파일을 선택하세요", kScheduleFilter, 0));
    user.join();
    EXPECT_EQ(title, "불러올 스케쥴 파일을 선택하세요");
    EXPECT_EQ(path, file);
    removeFile(file);
    RemoveDirectoryA(dir.c_str());
}

TEST(FileDialogs, CancelLeavesThePathAlone) {
    std::string path = "D:\\keep.scd";
    std::thread user = test::onNextDialog([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(openFileDialog(nullptr, path, 260, nullptr, kAudioFilter, OFN_EXPLORER | OFN_ALLOWMULTISELECT));
    user.join();
    EXPECT_EQ(path, "D:\\keep.scd");
}

}  // namespace
}  // namespace airvane
