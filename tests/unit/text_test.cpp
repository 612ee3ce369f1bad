#include "storage/text.h"

#include <gtest/gtest.h>

#include "storage/filesystem_platform.h"
#include "storage/program_paths.h"

namespace airvane {
namespace {

TEST(TextHelpers, SearchesAnswerMinusOneWhenAbsent) {
    EXPECT_EQ(findChar("", 'a'), -1);
    EXPECT_EQ(findLastChar("", 'a'), -1);
    EXPECT_EQ(findChar("abcabc", 'c'), 2);
    EXPECT_EQ(findLastChar("abcabc", 'c'), 5);
    EXPECT_EQ(findChar("abc", 'C'), -1);  // case-sensitive
    EXPECT_EQ(findText("ab", "abc"), -1);
    EXPECT_EQ(findText("xxabc", "abc"), 2);
    EXPECT_EQ(findText("abc", ""), 0);
}

TEST(TextHelpers, EditsInPlace) {
    std::string text = "world";
    insertText(text, 0, "hello ");
    appendChar(text, '!');
    EXPECT_EQ(text, "hello world!");
    insertText(text, 99, "?");  // past the end: appended, never out of bounds
    EXPECT_EQ(text, "hello world!?");

    std::string value = "1 2 3|D:\\job.scd|x";
    std::optional<std::string> rest = splitAt(value, '|');
    ASSERT_TRUE(rest);
    EXPECT_EQ(value, "1 2 3");
    EXPECT_EQ(*rest, "D:\\job.scd|x");
    std::string plain = "no bar";
    EXPECT_FALSE(splitAt(plain, '|'));
    EXPECT_EQ(plain, "no bar");

    std::string blanks = " \t title \t ";
    trimBlanks(blanks);
    EXPECT_EQ(blanks, "title");
    std::string onlyBlanks = " \t ";
    trimBlanks(onlyBlanks);
    EXPECT_EQ(onlyBlanks, "");
}

TEST(TextHelpers, PathParts) {
    std::string path = "C:\\My.Dir\\prog.exe";
    replaceExtension(path, "INI");
    EXPECT_EQ(path, "C:\\My.Dir\\prog.INI");
    path = "C:\\Dir\\prog";
    replaceExtension(path, "INI");
    EXPECT_EQ(path, "C:\\Dir\\prog.INI");
    path = "C:\\My.Dir\\prog";  // the dot of a folder is no extension
    replaceExtension(path, "INI");
    EXPECT_EQ(path, "C:\\My.Dir\\prog.INI");

    EXPECT_EQ(fileNamePart("C:prog.exe"), "prog.exe");
    EXPECT_EQ(fileNamePart("prog.exe"), "prog.exe");
    EXPECT_EQ(fileNamePart("C:\\Radio\\a:b\\x.mp3"), "x.mp3");
    EXPECT_EQ(extensionPart("C:\\Radio\\Morning.m3u"), "m3u");
    EXPECT_EQ(extensionPart("C:\\My.Dir\\prog"), "Dir\\prog");  // the last dot anywhere
    EXPECT_EQ(extensionPart("noext"), "");

    std::string folder = "C:\\Radio";
    ensureBackslash(folder);
    ensureBackslash(folder);
    EXPECT_EQ(folder, "C:\\Radio\\");
    std::string empty;
    ensureBackslash(empty);
    EXPECT_EQ(empty, "");
}

// File paths are compared as Windows compares them: ASCII letters without
// regard to case, a CP949 character byte for byte even where its second
// byte looks like a letter.
TEST(TextHelpers, PathsEqualButForTheCaseOfAsciiLetters) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } rows[] = {
        {"D:\\Music\\A.MP3", "d:\\music\\a.mp3", true},
        {"갂", "갂", true},
        {"갂", "갵", false},  // 81 41 and 81 61
        {"D:\\갂.mp3", "d:\\갵.MP3", false},
        {"뉴스a", "뉴스A", true},
        {"a.mp3", "a.mp", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(equalsIgnoringCase(row.a, row.b), row.same) << row.a << " / " << row.b;
        EXPECT_EQ(samePathText(row.a, row.b), row.same) << row.a << " / " << row.b;
    }
}

TEST(TextHelpers, StringListsStopAtTheEmptyString) {
    const char list[] = "one\0two\0three\0";
    EXPECT_STREQ(nextString(list), "two");
    EXPECT_STREQ(skipStrings(list, 2), "three");
    EXPECT_STREQ(skipStrings(list, 10), "");  // stops on the closing empty string
}

TEST(ProgramPaths, BesideTheExecutable) {
    EXPECT_EQ(logDirectoryFor("C:\\Radio\\prog.exe"), "C:\\Radio\\LOG");
    EXPECT_EQ(configFileFor("C:\\Radio\\prog.exe"), "C:\\Radio\\prog.INI");
    const std::string deep = "C:\\" + std::string(150, 'd') + "\\airvane.exe";  // longer than 119
    EXPECT_EQ(configFileFor(deep), "C:\\" + std::string(150, 'd') + "\\airvane.INI");
    EXPECT_EQ(logDirectoryFor(deep), "C:\\" + std::string(150, 'd') + "\\LOG");
}

}  // namespace
}  // namespace airvane
