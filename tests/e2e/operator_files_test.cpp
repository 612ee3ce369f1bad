// The operator's work is never lost: failed saves and writes stop what
// would lose it, a file that could not be read is not overwritten unasked,
// a load during an edit wins over the edit, and the window comes back at its
// remembered size with its children.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "programme_times.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

const std::string kWeek =
    "Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n{\r\n|D:\\a.mp3\r\n|D:\\b.mp3\r\n}\r\n\r\n";
const std::string kOther = "Airvane Data V1.0\r\n-1 20:0:0 21:0:0 0/0/0 0|Other.m3u\r\n\r\n";

class OperatorFiles : public AirvaneSession {
protected:
    // Deletes the first Schedule's files: an edit made from outside.
    void editTheTree() {
        selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
        command(window, 107);
        EXPECT_EQ(answer(IDYES), "선택한 스케쥴의 파일목록만 지울까요?");
        ASSERT_TRUE(app->noDialogStays());
    }
    // The first loading entry of an INI, due that many seconds from now.
    // A folder where a write puts its temporary file makes that write fail.
    void blockWritesTo(const std::string& path) { CreateDirectoryA((path + ".~tmp").c_str(), nullptr); }
};

TEST_F(OperatorFiles, AFailedSaveOnExitKeepsTheWindowWithItsTree) {
    start("files-exit", kWeek);
    editTheTree();
    blockWritesTo(job);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(answer(IDYES), "변경된 내용을 저장하시겠습니까?");
    EXPECT_EQ(answer(IDOK), "'" + job + "' 파일이 열리지 않습니다");
    EXPECT_EQ(app->waitForExit(2000), -1) << "still running";
    EXPECT_EQ(readRemoteTree(tree).size(), 2u) << "with the edited tree";
    EXPECT_EQ(readFile(job), kWeek);
}

TEST_F(OperatorFiles, OpenIsRefusedWhenTheIniCannotNameTheNewJobFile) {
    start("files-open", kWeek);
    writeFile(folder + "\\other.scd", kOther);
    blockWritesTo(folder + "\\airvane.INI");
    command(window, 113);
    HWND open = app->waitForDialog();
    ASSERT_TRUE(open);
    const std::string other = folder + "\\other.scd";
    if (!SetDlgItemTextA(open, 0x480, other.c_str())) SetDlgItemTextA(open, 0x47C, other.c_str());
    command(open, IDOK);
    EXPECT_EQ(answer(IDOK, open), "'" + folder + "\\airvane.INI' 파일이 열리지 않습니다");
    EXPECT_EQ(readRemoteTree(tree).size(), 4u) << "the tree of the file the INI names";
    editTheTree();
    command(window, 109);
    EXPECT_TRUE(waitForFile(job, "Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n\r\n", 5000));
    EXPECT_EQ(readFile(other), kOther);
}

TEST_F(OperatorFiles, AJobFileThatCouldNotBeReadIsOverwrittenOnlyWhenTheOperatorSaysSo) {
    const std::string unknown = "Other Program Data\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n";
    prepare("files-unread", unknown);
    app = std::make_unique<AirvaneProcess>(folder);
    EXPECT_EQ(answer(IDOK), "이 프로그램이 모르는 스케쥴 파일입니다");
    launch();
    selectItem(tree, treeItem(tree, nullptr, TVGN_ROOT));
    command(window, 107);
    EXPECT_EQ(answer(IDOK), "모든 스케쥴이 삭제됩니다. 진행할까요?");
    const std::string question = "'" + job + "' 파일은 읽지 못한 파일입니다. 저장하면 그 내용이 지워집니다. 덮어쓸까요?";
    command(window, 109);
    EXPECT_EQ(answer(IDCANCEL), question);
    ASSERT_TRUE(app->noDialogStays());
    EXPECT_EQ(readFile(job), unknown);
    command(window, 109);
    EXPECT_EQ(answer(IDOK), question);
    EXPECT_TRUE(waitForFile(job, "Airvane Data V1.0\r\n\r\n", 5000));
}

// A loading schedule falls due while the editor is open and the INI cannot
// record the new job file. The load is on air: it happens, and the operator
// is told both that the INI was not written and that the edit did not apply.
// A save then goes to the file loaded, never to the one the INI names.
TEST_F(OperatorFiles, ALoadDuringAnEditWinsAndSavesGoToTheFileLoaded) {
    test::StandinProcess player("--track-seconds 600");  // the tick runs only beside a player
    ASSERT_TRUE(player.window());
    prepare("files-load", kWeek);
    const std::string other = folder + "\\other.scd";
    writeFile(other, kOther);
    writeFile(folder + "\\airvane.INI", "[Config]\r\nJobFile=" + job + "\r\n\r\n[LoadingSchedule]\r\n" +
                                            loadingEntryInSeconds(8) + other + "\r\n1=\r\n");
    blockWritesTo(folder + "\\airvane.INI");
    launch();
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 108);
    HWND editor = app->waitForDialog();
    ASSERT_TRUE(editor);
    SetDlgItemTextA(editor, 106, "Edited");
    HWND notice = app->waitForDialog(editor, 15000);
    ASSERT_TRUE(notice) << "the load tells that the INI was not written";
    EXPECT_EQ(itemText(notice, 0xFFFF), "'" + folder + "\\airvane.INI' 파일이 열리지 않습니다");
    SendMessageA(notice, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(readRemoteTree(tree).size(), 2u) << "other.scd was loaded under the open editor";
    command(editor, IDOK);
    EXPECT_EQ(answer(IDOK, editor), "스케쥴 파일을 새로 불러와서 입력한 내용은 적용되지 않았습니다");
    ASSERT_TRUE(app->noDialogStays());
    EXPECT_EQ(readRemoteTree(tree)[1].text, "Other (20:00:00 - 21:00:00)");

    selectItem(tree, treeItem(tree, nullptr, TVGN_ROOT));
    command(window, 107);
    EXPECT_EQ(answer(IDOK), "모든 스케쥴이 삭제됩니다. 진행할까요?");
    command(window, 109);
    EXPECT_TRUE(waitForFile(other, "Airvane Data V1.0\r\n\r\n", 5000));
    EXPECT_EQ(readFile(job), kWeek) << "never the file the INI still names";
}

TEST_F(OperatorFiles, TheWindowComesBackAtItsSizeWithItsChildren) {
    prepare("files-size", kWeek, "\r\n[DlgPos]\r\nRecordScheduler=40 40 900 700\r\n");
    launch();
    RECT client, inner, status;
    GetClientRect(window, &client);
    GetWindowRect(tree, &inner);
    GetWindowRect(GetDlgItem(window, 110), &status);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&inner), 2);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_GT(client.right, 800) << "the remembered width";
    EXPECT_GE(inner.right, client.right - 20) << "the tree fills the width";
    EXPECT_GE(status.bottom, client.bottom - 20) << "the status line sits at the bottom";
    EXPECT_GT(inner.bottom, client.bottom - 80) << "the tree fills the height";
}

}  // namespace
}  // namespace airvane::e2e
