// Save-as, open and the save-changes prompt, answered as the operator would.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "storage/config_file.h"
#include "storage/filesystem.h"
#include "storage/schedule_file.h"
#include "storage/schedule_file_win32.h"
#include "tree_window.h"

namespace airvane {
namespace {

const std::string kWeek =
    "Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n{\r\n|D:\\Music\\a.mp3\r\n}\r\n\r\n";

class ScheduleDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp) + "airvane-scd-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(dir.c_str(), nullptr);
    }
    void TearDown() override { system(("cmd /c rmdir /s /q \"" + dir + "\" >nul 2>nul").c_str()); }

    // Answers the next file dialog with name, and reads its title.
    std::thread answerFileDialog(const std::string& name) {
        return test::onNextDialog([this, name](HWND dialog) {
            char text[128];
            GetWindowTextA(dialog, text, sizeof text);
            dialogTitle = text;
            if (!SetDlgItemTextA(dialog, 0x480, name.c_str())) SetDlgItemTextA(dialog, 0x47C, name.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    }

    std::string dir;
    std::string dialogTitle;
};

TEST_F(ScheduleDialogs, SaveAsWritesTheChosenFileAndKeepsTheJobFile) {
    ConfigFile config(dir + "\\airvane.INI");
    ASSERT_TRUE(writeFileAtomically(dir + "\\week.scd", kWeek));
    ASSERT_TRUE(config.writeProfileText("Config", "JobFile", dir + "\\week.scd"));
    test::TreeViewInWindow tree;
    loadSchedule(tree, config, nullptr);

    bool dirty = true;
    std::thread user = answerFileDialog(dir + "\\copy");
    EXPECT_TRUE(saveScheduleAs(tree.frame(), tree, config, dirty));
    user.join();
    EXPECT_EQ(dialogTitle, "저장올 스케쥴 파일을 입력하세요");
    EXPECT_FALSE(dirty);
    EXPECT_EQ(readWholeFile(dir + "\\copy.scd").value_or(""), kWeek);
    EXPECT_EQ(jobFilePath(config), dir + "\\week.scd");

    // Save-as into an INI writes the INI form there.
    std::thread again = answerFileDialog(dir + "\\copy.INI");
    EXPECT_TRUE(saveScheduleAs(tree.frame(), tree, config, dirty));
    again.join();
    EXPECT_NE(readWholeFile(dir + "\\copy.INI").value_or("").find("-1=Airvane Data V1.0"), std::string::npos);
    tree.freeNodeRecords(kNoNode);
}

TEST_F(ScheduleDialogs, OpenChoosesAScheduleFile) {
    ConfigFile config(dir + "\\airvane.INI");
    ASSERT_TRUE(writeFileAtomically(dir + "\\week.scd", kWeek));
    test::TreeViewInWindow owner;
    std::thread user = answerFileDialog(dir + "\\week.scd");
    std::string path;
    EXPECT_TRUE(chooseScheduleToOpen(owner.frame(), config, path));
    user.join();
    EXPECT_EQ(dialogTitle, "불러올 스케쥴 파일을 선택하세요");
    EXPECT_EQ(path, dir + "\\week.scd");
    EXPECT_EQ(jobFilePath(config), dir + "\\airvane.INI") << "the choice alone changes nothing";
}

// A main window stand-in that counts the save commands it receives; its
// saves clear the dirty flags unless they are to fail.
int gSaveCommands = 0;
bool gScheduleDirty = false, gLoadingDirty = false, gSaveFails = false;
LRESULT CALLBACK countSaves(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == 109) {
        ++gSaveCommands;
        if (!gSaveFails) gScheduleDirty = gLoadingDirty = false;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ConfirmSave, AsksOnlyWithChangesAndSavesOnYes) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = countSaves;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "AirvaneSaveCounter";
    RegisterClassA(&windowClass);
    HWND main = CreateWindowA("AirvaneSaveCounter", "Airvane 2.02", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(main);

    EXPECT_TRUE(confirmSave(main, gScheduleDirty, gLoadingDirty)) << "nothing to save: no question";

    std::string prompt;
    auto answer = [&prompt](int button) {
        return test::onNextDialog([&prompt, button](HWND box) {
            char text[128];
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            prompt = text;
            PostMessageA(box, WM_COMMAND, button, 0);
        });
    };
    std::thread cancel = answer(IDCANCEL);
    gScheduleDirty = true;
    EXPECT_FALSE(confirmSave(main, gScheduleDirty, gLoadingDirty));
    cancel.join();
    EXPECT_EQ(prompt, "변경된 내용을 저장하시겠습니까?");
    EXPECT_EQ(gSaveCommands, 0);

    std::thread no = answer(IDNO);
    EXPECT_TRUE(confirmSave(main, gScheduleDirty, gLoadingDirty));
    no.join();
    EXPECT_EQ(gSaveCommands, 0);

    // Yes: go on once the save worked; stop when it failed, or the changes
    // would be lost.
    for (bool fails : {false, true}) {
        gSaveFails = fails;
        gScheduleDirty = gLoadingDirty = true;
        std::thread yes = answer(IDYES);
        EXPECT_EQ(confirmSave(main, gScheduleDirty, gLoadingDirty), !fails);
        yes.join();
    }
    EXPECT_EQ(gSaveCommands, 2) << "the save is done before confirmSave returns";
    DestroyWindow(main);
}

}  // namespace
}  // namespace airvane
