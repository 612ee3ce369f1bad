#include "storage/config_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "storage/settings.h"
#include "test_files.h"

namespace airvane {
namespace {

TEST(ConfigFile, AMissingFileReadsAsDefaultsAndTheFirstWriteCreatesIt) {
    test::TempDir dir;
    ConfigFile config(dir.path("airvane.INI"));
    EXPECT_EQ(config.readProfileText("Config", "WINAMP.EXE", "WINAMP.EXE"), "WINAMP.EXE");
    EXPECT_EQ(config.readProfileInt("Config", "FadeoutTime", 3), 3);
    Settings settings = readSettings(config);
    EXPECT_EQ(settings.fadeoutTime, 3);
    EXPECT_EQ(settings.adjRealTimeSec, 0);
    EXPECT_EQ(settings.dispNowPlayFile, 1);
    EXPECT_EQ(settings.setShoutcastTitle, 1);

    EXPECT_TRUE(config.writeProfileText("Config", "JobFile", "D:\\job.scd"));
    EXPECT_EQ(dir.read("airvane.INI"), "[Config]\r\nJobFile=D:\\job.scd\r\n");
    EXPECT_EQ(config.readProfileTextSized("Config", "JobFile", 260), "D:\\job.scd");
}

TEST(ConfigFile, TextLimitsAndEmptyValues) {
    test::TempDir dir;
    ConfigFile config(dir.write("a.INI", "[Config]\r\nLong=" + std::string(200, 'p') + "\r\nEmpty=\r\n"));
    EXPECT_EQ(config.readProfileText("Config", "Long").size(), 79u);
    EXPECT_EQ(config.readProfileTextSized("Config", "Long", 260).size(), 200u);
    EXPECT_EQ(config.readProfileTextSized("Config", "Long", 100).size(), 99u);
    EXPECT_EQ(config.readProfileText("Config", "Empty", "default"), "");
    EXPECT_TRUE(config.writeProfileText("Config", "Empty", ""));  // written, not deleted
    EXPECT_NE(dir.read("a.INI").find("Empty=\r\n"), std::string::npos);
}

TEST(ConfigFile, IntegerListsLeaveOutAbsentValues) {
    test::TempDir dir;
    ConfigFile config(dir.path("a.INI"));
    EXPECT_TRUE(config.writeProfileInts("DlgPos", "Preference", 10, -20, 300, 400));
    EXPECT_TRUE(config.writeProfileInts("DlgPos", "Three", 1, 2, 3));
    EXPECT_TRUE(config.writeProfileInts("DlgPos", "One", -1));
    EXPECT_EQ(config.readProfileText("DlgPos", "Preference"), "10 -20 300 400");
    EXPECT_EQ(config.readProfileText("DlgPos", "Three"), "1 2 3");
    EXPECT_EQ(config.readProfileText("DlgPos", "One"), "-1");
    // Even the widest values are written whole, never cut.
    EXPECT_EQ(formatProfileInts(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN),
              "-2147483648 -2147483648 -2147483648 -2147483648");
}

TEST(ConfigFile, SwitchesKeepOnlyTheLowByte) {
    test::TempDir dir;
    ConfigFile config(dir.write("a.INI",
                                "[Config]\r\nDisDragDrop=256\r\nMakeLogFile=0\r\nFadeoutTime=-2\r\n"
                                "AdjRealTimeSec=5\r\n"));
    Settings settings = readSettings(config);
    EXPECT_EQ(settings.disDragDrop, 0);
    EXPECT_EQ(settings.makeLogFile, 0);
    EXPECT_EQ(settings.fadeoutTime, 0) << "a negative fade is none, for the tick's lead time too";
    EXPECT_EQ(settings.adjRealTimeSec, 5);
    EXPECT_EQ(Settings{}.fadeoutTime, 4);  // before the file is read
}

TEST(ConfigFile, EveryWriteSeesChangesMadeByOthersMeanwhile) {
    test::TempDir dir;
    ConfigFile config(dir.path("a.INI"));
    EXPECT_TRUE(config.writeProfileText("Config", "FadeoutTime", "3"));
    dir.write("a.INI", dir.read("a.INI") + "; added in Notepad\r\nMakeLogFile=0\r\n");
    EXPECT_TRUE(config.writeProfileText("Config", "FadeoutTime", "5"));
    EXPECT_EQ(dir.read("a.INI"), "[Config]\r\nFadeoutTime=5\r\n; added in Notepad\r\nMakeLogFile=0\r\n");
}

TEST(ConfigFile, AFailedWriteLeavesTheFileAsItWas) {
    test::TempDir dir;
    ConfigFile config(dir.write("a.INI", "[Config]\r\nFadeoutTime=3\r\n"));
    // The temporary file cannot be made (a folder stands in its place).
    mkdir(dir.path("a.INI.~tmp").c_str(), 0700);
    EXPECT_FALSE(config.writeProfileText("Config", "FadeoutTime", "9"));
    EXPECT_EQ(dir.read("a.INI"), "[Config]\r\nFadeoutTime=3\r\n");
}

TEST(ConfigFile, AnUnreadableFileIsNeverReplacedByAPartialOne) {
    test::TempDir dir;
    // A folder where the file should be: it exists but cannot be read as a file.
    mkdir(dir.path("a.INI").c_str(), 0700);
    ConfigFile config(dir.path("a.INI"));
    EXPECT_FALSE(config.writeProfileText("Config", "FadeoutTime", "9"));
    EXPECT_EQ(config.readProfileInt("Config", "FadeoutTime", 3), 3);
}

}  // namespace
}  // namespace airvane
