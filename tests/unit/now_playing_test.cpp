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

// Answers each question only when the test says so, as the player's
// conversation does a turn later.
class FakeHost final : public MonitorHost {
public:
    std::string playerTitle() override { return title; }
    void showStatus(const std::string& text) override { status = text; }
    void askPlayingPath(uint64_t question) override { questions.push_back(question); }
    bool mayMoveCaret() override { return !modalOpen; }
    void selectItem(NodeItem item) override { selected = item; }
    void setStreamTitle(const std::optional<std::string>& text) override {
        if (!stream.present()) return;
        airvane::setStreamTitle(stream, text);
    }
    const std::string& programFolder() const override { return folder; }
    // The last question answered with path.
    void answer(MemoryTree& tree, MonitorState& state, const std::string& path) {
        playingPathAnswered(tree, state, *this, questions.back(), path);
    }
    std::string title, status, folder = std::string(300, 'x');  // too deep to log
    std::vector<uint64_t> questions;
    bool modalOpen = false;
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
    const LocalTime at = localTimeAt(2026, 12, 8, 3600);
    monitorTick(tree, state, settings, at, last, host);
    EXPECT_EQ(host.status, "1. a - Winamp");
    ASSERT_EQ(host.questions.size(), 1u) << "the new title asks which File plays, and the tick goes on";
    EXPECT_EQ(host.selected, kNoNode);
    EXPECT_TRUE(host.stream.calls.empty()) << "the stream title waits for the File";
    host.answer(tree, state, "D:\\a.mp3");
    EXPECT_EQ(host.selected, nightFile);
    monitorTick(tree, state, settings, at, last, host);
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 1);
    monitorTick(tree, state, settings, at, last, host);  // the same title: only the arrows move
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 2);
    EXPECT_EQ(host.questions.size(), 1u);

    // Two titles before an answer: only the answer to the newer one counts.
    host.title = "2. b - Winamp";
    monitorTick(tree, state, settings, at, last, host);
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 0) << "unmarked while the question is open";
    host.title = "3. c - Winamp";
    monitorTick(tree, state, settings, at, last, host);
    ASSERT_EQ(host.questions.size(), 3u);
    playingPathAnswered(tree, state, host, host.questions[1], "D:\\b.mp3");
    EXPECT_EQ(state.currentItem, kNoNode) << "a stale answer is dropped";
    // While a dialog of the main window is open, the File is marked and
    // titled but the caret stays where the operator put it.
    host.selected = kNoNode;
    host.modalOpen = true;
    host.answer(tree, state, "D:\\a.mp3");
    EXPECT_EQ(state.currentItem, nightFile);
    EXPECT_EQ(host.selected, kNoNode);
    EXPECT_EQ(host.stream.calls, (std::vector<std::string>{"auto off", "text [Night] a", "apply", "text [Night] c",
                                                          "apply"}));
    // Timer 4 asks again, unless a question is still open.
    findAndMarkPlayingItem(tree, state, host);
    findAndMarkPlayingItem(tree, state, host);
    EXPECT_EQ(host.questions.size(), 4u);
    host.answer(tree, state, "D:\\a.mp3");
    EXPECT_EQ(host.stream.calls.size(), 5u) << "a mark again sets no stream title";

    add(tree, morning, kFile, "D:\\c.mp3");  // the tree changed: CurrentItem is forgotten
    host.title = "Winamp";
    monitorTick(tree, state, settings, at, last, host);
    host.answer(tree, state, "");  // stopped
    EXPECT_EQ(state.currentItem, kNoNode);
    EXPECT_EQ(tree.nodeRecord(nightFile)->marquee, 0) << "no arrows left behind";
    EXPECT_EQ(host.stream.calls.back(), "auto on") << "nothing found: the window's own title again";
    tree.freeNodeRecords(kNoNode);
}

}  // namespace
}  // namespace airvane
