// The status server and the now-playing file with the real airvane.exe and
// standin.exe: what a curl on the port sees during a programme, what a
// malformed request gets, and the file after each title change, in each
// encoding.
#include <gtest/gtest.h>

#include <regex>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "http_client.h"
#include "programme_times.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

class StatusServer : public AirvaneSession {
protected:
    static unsigned short freePort() {
        return static_cast<unsigned short>(20000 + GetCurrentProcessId() % 20000);
    }
};

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string hourMinute(int second) { return clockText(second).substr(0, 5); }

TEST_F(StatusServer, ServesTheProgrammeOnAirAndTheFileFollowsEachTitle) {
    const struct {
        const char* encoding;
        bool utf8;
    } rows[] = {{"UTF-8", true}, {"CP949", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.encoding);
        const int now = secondOfDayNow();
        if (now + 1800 >= 86400 || now < 600) GTEST_SKIP() << "too close to midnight";
        // Two tracks of 8 s: the title changes while the test watches.
        test::StandinProcess player("--track-seconds 8", true);
        ASSERT_TRUE(player.window());
        const int from = now - 600, to = now + 3600, noon = now + 1800;
        char morning[200];
        std::snprintf(morning, sizeof morning,
                      "-1 %d:%d:%d %d:%d:%d 0/0/0 0|Morning.m3u\r\n{\r\n|D:\\Music\\가수 - 노래.mp3\r\n"
                      "|D:\\Music\\b.mp3\r\n}\r\n",
                      from / 3600, from / 60 % 60, from % 60, to / 3600, to / 60 % 60, to % 60);
        const unsigned short port = freePort();
        prepare(
            std::string("status-") + row.encoding,
            std::string("Airvane Data V1.0\r\n") + morning + programmeEntry(noon, noon + 60, "Noon") + "\r\n",
            "StatusPort=" + std::to_string(port) + "\r\nNowPlayingEncoding=" + row.encoding +
                "\r\nNowPlayingFormat=%programme% | %artist% | %song% | %next% %nextstart%\r\n");
        const std::string nowFile = folder + "\\now.txt";
        writeFile(folder + "\\airvane.INI",
                  readFile(folder + "\\airvane.INI") + "NowPlayingFile=" + nowFile + "\r\n");
        launch();
        const HTREEITEM first = treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
        selectItem(tree, first);
        command(window, 104);

        // During the programme: its name, the cleaned title, the next one.
        std::string json;
        for (int i = 0; i < 100 && jsonMember(json, "title") != utf8(u8"가수 - 노래"); ++i, Sleep(100))
            json = httpBody(httpGet(port, "/status.json"));
        EXPECT_NE(json.find("\"now\":{\"programme\":\"Morning\""), std::string::npos) << json;
        EXPECT_EQ(jsonMember(json, "title"), utf8(u8"가수 - 노래")) << json;
        EXPECT_NE(json.find("\"next\":{\"programme\":\"Noon\",\"start\":\"" + clockText(noon) + "\"}"),
                  std::string::npos)
            << json;
        EXPECT_NE(json.find("\"scheduler\":true,\"player\":\"found\""), std::string::npos) << json;
        const std::string expected = std::string("Morning | ") + (row.utf8 ? utf8(u8"가수") : "가수") +
                                     " | " + (row.utf8 ? utf8(u8"노래") : "노래") + " | Noon " +
                                     hourMinute(noon);
        EXPECT_TRUE(waitForFile(nowFile, expected, 5000));

        // The heartbeat moves from one request to the next 2 s later.
        const std::string before = jsonMember(json, "heartbeat");
        Sleep(2000);
        const std::string later = httpBody(httpGet(port, "/status.json"));
        const std::string after = jsonMember(later, "heartbeat");
        // Where in the track, as the track watch learnt it from the player.
        EXPECT_NE(later.find("\"length_ms\":8000"), std::string::npos) << later;
        EXPECT_TRUE(std::regex_search(later, std::regex("\"position_ms\":[0-9]{1,4}[,}]"))) << later;
        ASSERT_EQ(before.size(), 23u) << before;
        ASSERT_EQ(after.size(), 23u) << after;
        EXPECT_GE(after.substr(0, 19), before.substr(0, 19)) << "later";
        EXPECT_NE(after.substr(0, 19), before.substr(0, 19)) << "the tick went on";

        // Malformed, oversized, other methods and paths; the server goes on.
        const struct {
            std::string request;
            const char* statusLine;
        } exchanges[] = {
            {"hello\r\n\r\n", "HTTP/1.1 400 "},
            {"GET / HTTP/1.1\r\nX: " + std::string(20000, 'x') + "\r\n\r\n", "HTTP/1.1 400 "},
            {"GET /status.json HTTP/9.9\r\n\r\n", "HTTP/1.1 400 "},
            {"POST /status.json HTTP/1.1\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 405 "},
            {"GET /airvane.INI HTTP/1.1\r\n\r\n", "HTTP/1.1 404 "},
            {"GET /status.json HTTP/1.1\r\n\r\n", "HTTP/1.1 200 "},
            {"GET / HTTP/1.1\r\n\r\n", "HTTP/1.1 200 "},
            {"GET /onair.csv HTTP/1.1\r\n\r\n", "HTTP/1.1 200 "},
        };
        for (const auto& exchange : exchanges) {
            const std::string answer = httpExchange(port, exchange.request);
            EXPECT_EQ(answer.rfind(exchange.statusLine, 0), 0u)
                << exchange.request.substr(0, 30) << " -> " << answer.substr(0, 60);
        }
        EXPECT_NE(httpBody(httpGet(port, "/")).find("Morning"), std::string::npos)
            << "the page shows the programme";
        EXPECT_NE(httpBody(httpGet(port, "/onair.csv")).find("Morning.m3u"), std::string::npos)
            << "the record as it is on disk";

        // The next track: a new title, a new file.
        const std::string next = "Morning |  | b | Noon " + hourMinute(noon);
        EXPECT_TRUE(waitForFile(nowFile, next, 10000));
        EXPECT_EQ(jsonMember(httpBody(httpGet(port, "/status.json")), "title"), "b");

        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(app->waitForExit(10000), 0);
        EXPECT_EQ(httpGet(port, "/status.json"), "") << "closed with the program";
        app.reset();
        window = nullptr;
    }
}

// A now-playing file whose folder is missing: said in the status line, the
// air goes on, and once the folder is there the file is written without a
// new title.
TEST_F(StatusServer, AFileThatCannotBeWrittenIsSaidAndTriedAgain) {
    const int now = secondOfDayNow();
    if (now + 3600 >= 86400 || now < 600) GTEST_SKIP() << "too close to midnight";
    test::StandinProcess player("--track-seconds 600", true);
    ASSERT_TRUE(player.window());
    prepare("status-file", std::string("Airvane Data V1.0\r\n") + programmeEntry(now - 600, now + 3600, "Morning") + "\r\n",
            "NowPlayingFormat=%programme%\r\n");
    const std::string nowFile = folder + "\\rds\\now.txt";
    writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "NowPlayingFile=" + nowFile + "\r\n");
    launch();
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 104);
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), "지금 방송 파일을 쓰지 못했습니다: " + nowFile, 10000));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\rds").c_str(), nullptr));
    EXPECT_TRUE(waitForFile(nowFile, "Morning", 5000));
}

}  // namespace
}  // namespace airvane::e2e
