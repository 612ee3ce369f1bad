#include "monitor/now_playing.h"

#include <gtest/gtest.h>

#include "model/memory_tree.h"
#include "monitor/last_title.h"
#include "storage/text.h"
#include "test_files.h"
#include "test_tree.h"

namespace airvane {
namespace {

TEST(NowPlaying, TitlesAreCleanedAsTheLogShowsThem) {
    const std::pair<const char*, const char*> rows[] = {
        {"12. Artist - Song - Winamp", "Artist - Song"}, {"Song", "Song"}, {".Song - Winamp", "Song"},
        {"42 - Winamp", "42"}, {"0x1F. Hex - Winamp", "Hex"}, {" 7.\tTabbed\t- Winamp", "Tabbed"},
        {"12 Monkeys - Winamp", "12 Monkeys"}, {"", ""},
    };
    for (const auto& [title, cleaned] : rows) EXPECT_EQ(cleanTitle(title), cleaned) << title;
    std::string cut = "뉴스\xB4";  // the last character lost its second byte
    dropCutCharacter(cut);
    EXPECT_EQ(cut, "뉴스");
}

TEST(NowPlaying, TheDailyLogIsAppendedLineByLine) {
    EXPECT_EQ(dailyLogPath("C:\\Radio", 2026, 12, 8), "C:\\Radio\\LOG\\20261208.LOG");
    EXPECT_EQ(dailyLogPath("C:\\" + std::string(240, 'f'), 2026, 12, 8), std::nullopt) << "would not fit 259";
    const LocalTime at = localTimeAt(2026, 12, 8, 6 * 3600 + 5);
    EXPECT_EQ(dailyLogLine(at, "Artist - Song"), "2026/12/08 06:00:05 Artist - Song\r\n");
    test::TempDir dir;
    ASSERT_TRUE(appendToLog(dir.path("day.LOG"), "one\r\n"));
    ASSERT_TRUE(appendToLog(dir.path("day.LOG"), "two\r\n"));
    EXPECT_EQ(dir.read("day.LOG"), "one\r\ntwo\r\n");
}

class RecordingStream final : public StreamTitleWindow {
public:
    bool present() override { return true; }
    bool autoTitleOn() override { return autoOn; }
    void setAutoTitle(bool on) override { calls.push_back(std::string("auto ") + (on ? "on" : "off")), autoOn = on; }
    void setTitleText(const std::string& text) override { calls.push_back("text " + text); }
    void applyTitle() override { calls.push_back("apply"); }
    bool autoOn = true;
    std::vector<std::string> calls;
};

class FakeHost final : public MonitorHost {
public:
    std::string playerTitle() override { return title; }
    void showStatus(const std::string& text) override { status = text; }
    std::string playingPath() override { return path; }
    void selectItem(NodeItem item) override { selected = item; }
    StreamTitleWindow& streamTitleWindow() override { return stream; }
    const std::string& programFolder() const override { return folder; }
    std::string title, status, path, folder = std::string(300, 'x');  // too deep to log
    NodeItem selected = kNoNode;
    RecordingStream stream;
};

const auto add = test::addNode;

// A programme walked through the monitor: the playing Schedule's File is
// found before another Schedule's, a collapsed Schedule stands for its
// File, the stream title follows, and a rebuilt tree forgets CurrentItem.
TEST(NowPlaying, TheMonitorFindsMarksAndTitlesWhatPlays) {
    MemoryTree tree;
    const NodeItem root = add(tree, kNoNode, kRoot, "");
    const NodeItem morning = add(tree, root, kSchedule, "Morning.m3u");
    add(tree, morning, kFile, "D:\\a.mp3");
    const NodeItem night = add(tree, root, kSchedule, "Night.m3u");
    const NodeItem nightFile = add(tree, night, kFile, "D:\\A.MP3");
    tree.nodeRecord(night)->playing = true;
    std::vector<KnownSchedule> schedules = readSchedules(tree);
    EXPECT_EQ(findPlayingItem(tree, schedules, "d:\\a.mp3"), night) << "collapsed: the Schedule itself";
    EXPECT_FALSE(schedules[0].filesRead) << "found among the playing: the others' Files not read";
    tree.expandNode(night);
    EXPECT_EQ(findPlayingItem(tree, schedules, "d:\\a.mp3"), nightFile) << "the playing Schedule's, found first";
    EXPECT_EQ(findPlayingItem(tree, schedules, "D:\\none.mp3"), kNoNode);

    FakeHost host;
    MonitorState state;
    LastTitle last;
    Settings settings;
    host.title = "1. a - Winamp";
    host.path = "D:\\a.mp3";
    const LocalTime at = localTimeAt(2026, 12, 8, 3600);
    monitorTick(tree, state, settings, at, last, host);
    EXPECT_EQ(host.status, "1. a - Winamp");
    EXPECT_EQ(host.selected, nightFile);
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 1);
    monitorTick(tree, state, settings, at, last, host);  // the same title: only the arrows move
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 2);
    host.title = "2. b - Winamp";
    monitorTick(tree, state, settings, at, last, host);
    EXPECT_EQ(host.stream.calls, (std::vector<std::string>{"auto off", "text [Night] a", "apply", "text [Night] b",
                                                          "apply"}));

    add(tree, morning, kFile, "D:\\c.mp3");  // the tree changed: CurrentItem is forgotten
    host.title = "Winamp";
    host.path = "";  // stopped
    monitorTick(tree, state, settings, at, last, host);
    EXPECT_EQ(state.currentItem, kNoNode);
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 0) << "no arrows left behind";
    EXPECT_EQ(host.stream.calls.back(), "auto on") << "nothing found: the window's own title again";
    tree.freeNodeRecords(kNoNode);
}

}  // namespace
}  // namespace airvane
