// The companion programs as an operator starts them: from the remembered
// path, found again on the fixed drives after a move, or reported missing;
// and today's log opened in Notepad. companion.exe stands in for each
// program and notes in "started.log" beside itself that it was started.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>

#include "../win32/window_search.h"
#include "airvane_session.h"
#include "airvane_start.h"

namespace airvane::e2e {
namespace {

constexpr char kSchedule[] = "Airvane Data V1.0\r\n\r\n";

class Companions : public AirvaneSession {
protected:
    // A copy of the stand-in program under the run folder.
    void placeProgram(const std::string& relativePath) {
        const std::string path = folder + "\\" + relativePath;
        CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
        CopyFileA((buildFolder() + "\\companion.exe").c_str(), path.c_str(), FALSE);
    }
    void addToIni(const std::string& lines) { writeFile(ini(), readFile(ini()) + lines); }
    std::string ini() const { return folder + "\\airvane.INI"; }
    std::string statusLine() const { return windowText(GetDlgItem(window, 110)); }
    // The program at relativePath noted its start.
    ::testing::AssertionResult startedOnce(const std::string& relativePath) {
        const std::string path = folder + "\\" + relativePath;
        return waitForFile(path.substr(0, path.rfind('\\') + 1) + "started.log", path + "\r\n", 10000);
    }
};

TEST_F(Companions, TheRememberedProgramStartsAsItIsAndTodaysLogOpensInNotepad) {
    prepare("companions-remembered", kSchedule);
    placeProgram("x\\XTrack.exe");
    addToIni("XTRACK.EXE=" + folder + "\\x\\XTrack.exe\r\n");
    writeFile(folder + "\\NetTime.exe", "not a program");
    addToIni("NETTIME.EXE=" + folder + "\\NetTime.exe\r\n");
    const std::string iniBefore = readFile(ini());
    launch();
    EXPECT_TRUE(startedOnce("WINAMP.EXE")) << "the player, by its bare name, at start";
    command(window, 120);
    EXPECT_TRUE(startedOnce("x\\XTrack.exe"));
    EXPECT_EQ(readFile(ini()).rfind(iniBefore, 0), 0u)
        << "a path that still leads to the program is not written";
    // A program that is there but that Windows will not start is said.
    command(window, 121);
    EXPECT_EQ(answer(IDOK), "'" + folder + "\\NetTime.exe'을(를) 실행하지 못했습니다: 실행할 수 있는 프로그램이 아닙니다");

    SYSTEMTIME now;
    GetLocalTime(&now);
    char day[16];
    std::snprintf(day, sizeof day, "%d%02d%02d", now.wYear, now.wMonth, now.wDay);
    writeFile(folder + "\\LOG\\" + day + ".LOG", "2026/12/08 10:00:00 Morning\r\n");
    command(window, 118);
    HWND notepad = test::waitForTopLevel(
        [&](HWND w) {
            return IsWindowVisible(w) && windowText(w).find(std::string(day) + ".LOG") != std::string::npos;
        },
        15000);
    ASSERT_TRUE(notepad) << "no window shows " << day << ".LOG";
    EXPECT_EQ(test::windowClass(notepad), "Notepad");
    PostMessageA(notepad, WM_CLOSE, 0, 0);
}

TEST_F(Companions, AMovedProgramIsFoundAndRememberedOneThatIsNowhereIsReportedWhileTheClockRuns) {
    prepare("companions-moved",
            "Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n{\r\n|D:\\a.mp3\r\n}\r\n\r\n");
    placeProgram("found\\NetTime.exe");
    placeProgram("finder\\FindMp3.exe");
    addToIni("NETTIME.EXE=" + folder + "\\gone\\NETTIME.EXE\r\n");
    launch();
    ASSERT_TRUE(startedOnce("WINAMP.EXE"));
    const std::string statusBefore = statusLine();

    command(window, 121);
    std::set<std::string> shown;
    const std::string remembered = "NETTIME.EXE=" + folder + "\\found\\NetTime.exe\r\n";
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(10)) {
        shown.insert(statusLine());
        if (readFile(ini()).find(remembered) != std::string::npos) break;
    }
    EXPECT_NE(readFile(ini()).find(remembered), std::string::npos) << readFile(ini());
    EXPECT_TRUE(startedOnce("found\\NetTime.exe"));
    // Reports that come together are shown one after another in one go: a
    // loaded machine may never paint the short D: one, so any drive will do.
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const std::string& text) {
        return text.rfind("드라이브 ", 0) == 0 && text.find("'NETTIME.EXE'를 찾습니다") != std::string::npos;
    }));
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), statusBefore, 5000));

    // The title's clock turns with every tick: the search must not stop it.
    const std::string iniBefore = readFile(ini());
    command(window, 119);
    const DWORD start = GetTickCount();
    const ClockWatch watch = watchClockUntilDialog(window, app->processId(), 120000);
    std::printf("searched C: and D: for %lu ms; the title clock stood still for at most %lu ms\n",
                GetTickCount() - start, watch.longestSilence);
    EXPECT_LT(watch.longestSilence, 2500u);
    EXPECT_EQ(answer(IDOK), "'TAGEDIT.EXE'은 모든 하드디스크 어디에도 없습니다");
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), statusBefore, 5000));
    EXPECT_EQ(readFile(ini()), iniBefore) << "nothing is remembered for a program not found";

    // Exit answered Cancel during a search: the search goes on, and what it
    // found is applied once the prompt is gone.
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 107);
    EXPECT_EQ(answer(IDYES), "선택한 스케쥴의 파일목록만 지울까요?");
    command(window, 117);
    for (int i = 0; i < 500 && statusLine().rfind("드라이브", 0) != 0; ++i) Sleep(10);
    command(window, 102);
    EXPECT_EQ(answer(IDCANCEL), "변경된 내용을 저장하시겠습니까?");
    EXPECT_TRUE(startedOnce("finder\\FindMp3.exe"));

    // Exit going on during a search: nothing written or shown after.
    command(window, 119);
    for (int i = 0; i < 500 && statusLine().rfind("드라이브", 0) != 0; ++i) Sleep(10);
    command(window, 102);
    EXPECT_EQ(answer(IDNO), "변경된 내용을 저장하시겠습니까?");
    EXPECT_NE(app->waitForExit(5000), -1);
    EXPECT_EQ(readFile(ini()).find("TAGEDIT"), std::string::npos) << readFile(ini());
}

}  // namespace
}  // namespace airvane::e2e
