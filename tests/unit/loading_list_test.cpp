#include "storage/loading_list.h"

#include <gtest/gtest.h>

#include "storage/config_file.h"
#include "test_files.h"

namespace airvane {
namespace {

LoadingEntry entry(int hour, const char* job) {
    LoadingEntry e;
    e.hour = hour;
    e.weekdays = -1;
    e.jobFile = job;
    return e;
}

TEST(LoadingList, AppendAndRemoveKeepOrderAndOwnership) {
    LoadingList list;
    LoadingEntry& a = appendLoadingEntry(list);
    LoadingEntry& b = appendLoadingEntry(list);
    LoadingEntry& c = appendLoadingEntry(list);
    a.jobFile = "a";
    b.jobFile = "b";
    c.jobFile = "c";
    EXPECT_EQ(a.year, 0);
    EXPECT_EQ(a.weekdays, 0);  // zero-filled
    EXPECT_TRUE(removeLoadingEntry(list, &b));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().jobFile, "a");
    EXPECT_EQ(list.back().jobFile, "c");

    LoadingEntry stranger;
    EXPECT_FALSE(removeLoadingEntry(list, &stranger));
    EXPECT_EQ(list.size(), 2u);
    freeLoadingList(list);
    EXPECT_TRUE(list.empty());
}

TEST(LoadingList, ValuesReadAsTheSchedulerExpects) {
    LoadingEntry e;
    parseLoadingValue("2026 0 0 9 30 0 -1|D:\\Radio\\xmas.scd", e);
    EXPECT_EQ(e.year, 2026);
    EXPECT_EQ(e.month, 0);
    EXPECT_EQ(e.hour, 9);
    EXPECT_EQ(e.minute, 30);
    EXPECT_EQ(e.weekdays, -1);
    EXPECT_EQ(e.jobFile, "D:\\Radio\\xmas.scd");

    LoadingEntry missingWeekdays;
    missingWeekdays.weekdays = 5;
    parseLoadingValue("0 0 0 9 30 0|D:\\job.scd", missingWeekdays);
    EXPECT_EQ(missingWeekdays.weekdays, -1);

    LoadingEntry shortValue;
    parseLoadingValue("0 0 0 7|x.scd", shortValue);
    EXPECT_EQ(shortValue.hour, 7);
    EXPECT_EQ(shortValue.minute, 0);
    EXPECT_EQ(shortValue.weekdays, -1);

    LoadingEntry tooLong;
    parseLoadingValue("0 0 0 7 0 0 -1|" + std::string(400, 'j'), tooLong);
    EXPECT_EQ(tooLong.jobFile.size(), 259u);

    EXPECT_EQ(formatLoadingValue(entry(23, "D:\\late.scd")), "0 0 0 23 0 0 -1|D:\\late.scd");
}

TEST(LoadingList, LoadStopsAtTheFirstEmptyKeyAndSkipsEntriesWithoutAJob) {
    test::TempDir dir;
    ConfigFile config(dir.write("a.INI",
                                "[LoadingSchedule]\r\n"
                                "0=0 0 0 6 0 0 62|D:\\week.scd\r\n"
                                "1=0 0 0 7 0 0 -1\r\n"  // no "|": no entry, reading goes on
                                "2=0 0 0 8 0 0 -1|\r\n"
                                "3=0 12 24 9 0 0 -1|D:\\xmas.scd\r\n"
                                "4=\r\n"
                                "5=0 0 0 10 0 0 -1|D:\\never.scd\r\n"));
    LoadingList list;
    loadLoadingList(list, config);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().weekdays, 62);
    EXPECT_EQ(list.back().jobFile, "D:\\xmas.scd");
    EXPECT_EQ(list.back().day, 24);
}

TEST(LoadingList, SaveTerminatesTheListAndLeavesOlderKeysBeyondIt) {
    test::TempDir dir;
    std::string eight = "[LoadingSchedule]\r\n";
    for (int i = 0; i < 8; ++i) eight += std::to_string(i) + "=0 0 0 " + std::to_string(i) + " 0 0 -1|old.scd\r\n";
    ConfigFile config(dir.write("a.INI", eight));

    LoadingList list;
    for (int i = 0; i < 5; ++i) list.push_back(entry(10 + i, "new.scd"));
    list.push_back(entry(20, ""));  // never stored
    bool dirty = true;
    EXPECT_TRUE(saveLoadingList(list, config, dirty));
    EXPECT_FALSE(dirty);

    EXPECT_EQ(config.readProfileTextSized(kLoadingSection, "5", 340), "");
    EXPECT_EQ(config.readProfileTextSized(kLoadingSection, "6", 340), "0 0 0 6 0 0 -1|old.scd");
    EXPECT_EQ(config.readProfileTextSized(kLoadingSection, "7", 340), "0 0 0 7 0 0 -1|old.scd");
    LoadingList reloaded;
    loadLoadingList(reloaded, config);
    ASSERT_EQ(reloaded.size(), 5u);
    EXPECT_EQ(reloaded.back().hour, 14);
}

TEST(LoadingList, AnEmptyListWritesOnlyTheTerminator) {
    test::TempDir dir;
    ConfigFile config(dir.path("a.INI"));
    bool dirty = true;
    EXPECT_TRUE(saveLoadingList({}, config, dirty));
    EXPECT_EQ(dir.read("a.INI"), "[LoadingSchedule]\r\n0=\r\n");
    LoadingList list;
    loadLoadingList(list, config);
    EXPECT_TRUE(list.empty());
}

TEST(LoadingList, AFailedSaveKeepsTheListDirty) {
    test::TempDir dir;
    ConfigFile config(dir.path("missing-folder/a.INI"));
    LoadingList list{entry(6, "a.scd")};
    bool dirty = true;
    EXPECT_FALSE(saveLoadingList(list, config, dirty));
    EXPECT_TRUE(dirty);
}

}  // namespace
}  // namespace airvane
