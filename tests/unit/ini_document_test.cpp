#include "storage/ini_document.h"

#include <gtest/gtest.h>

#include <vector>

namespace airvane {
namespace {

std::string value(const std::string& bytes, const char* section, const char* key, std::size_t size = 80) {
    return profileString(IniDocument(bytes), section, key, "DEF", size);
}

TEST(IniRead, NamesWithoutRegardToCaseFirstMatchWins) {
    const std::string file =
        "[config]\r\nFadeoutTime=5\r\nfadeouttime=6\r\n"
        "[CONFIG]\r\nOther=1\r\n";
    EXPECT_EQ(value(file, "Config", "FADEOUTTIME"), "5");
    // Only the first section of a name is searched.
    EXPECT_EQ(value(file, "Config", "Other"), "DEF");
    EXPECT_EQ(value(file, " Config ", " FadeoutTime\t"), "5");  // names given with blanks
}

TEST(IniRead, BlanksQuotesCommentsAndLinesWithoutEquals) {
    const std::string file =
        "  [Config]  \n"
        "; Key=commented\n"
        "Key  =   spaced value   \n"
        "Quoted=\"in quotes\"\n"
        "Single='x'\n"
        "Half=\"open\n"
        "Empty=\n"
        "Bare\n"
        "Bare=later\n";
    EXPECT_EQ(value(file, "config", "key"), "spaced value");
    EXPECT_EQ(value(file, "config", "quoted"), "in quotes");
    EXPECT_EQ(value(file, "config", "single"), "x");
    EXPECT_EQ(value(file, "config", "half"), "\"open");
    EXPECT_EQ(value(file, "config", "empty"), "");
    // A line without "=" is a key without value: it answers the default.
    EXPECT_EQ(value(file, "config", "bare"), "DEF");
    EXPECT_EQ(value(file, "config", "missing"), "DEF");
    EXPECT_EQ(value(file, "nosection", "key"), "DEF");
}

TEST(IniRead, LineEndsAndKeysOutsideSections) {
    EXPECT_EQ(value("A=1\r[S]\rA=2\rB=3", "S", "B"), "3");
    EXPECT_EQ(value("A=1\n[S]\nA=2", "S", "A"), "2");
    EXPECT_EQ(value("A=1\r\n[S]\r\nB=2\r\n", "", "A"), "1");  // keys before any header: the unnamed section
    EXPECT_EQ(value("A=1\r\n[S]\r\nB=2\r\n", "S", "A"), "DEF");
    EXPECT_EQ(value("[ S ]\r\nA=1\r\n[S]\r\nA=2\r\n", "S", "A"), "1");  // header names are trimmed
    EXPECT_EQ(value("[S]\r\nA=1", "S", "A"), "1");  // no final line end
}

TEST(IniRead, QuotedValuesCutAsThePlatformCutsThem) {
    // The platform strips the closing quote by dropping the last copied
    // character whenever the buffer could hold the whole value.
    const std::string file = "[S]\r\nQ=\"abc\"\r\nN=\"9\"\r\n";
    EXPECT_EQ(value(file, "S", "Q", 80), "abc");
    EXPECT_EQ(value(file, "S", "Q", 5), "abc");
    EXPECT_EQ(value(file, "S", "Q", 4), "ab");
    EXPECT_EQ(value(file, "S", "Q", 3), "ab");
    EXPECT_EQ(value(file, "S", "N", 2), "");
}

TEST(IniRead, BufferSizesCutButNeverSplitADoubleByteCharacter) {
    const std::string file = "[S]\r\nA=abcdef\r\nK=가나다\r\n";
    EXPECT_EQ(value(file, "S", "A", 4), "abc");
    EXPECT_EQ(value(file, "S", "A", 1), "");
    EXPECT_EQ(value(file, "S", "K", 6), "가나");  // 5 bytes of room: two characters
    EXPECT_EQ(value(file, "S", "K", 5), "가나");
    EXPECT_EQ(value(file, "S", "K", 4), "가");
}

TEST(IniRead, IntegersFollowThePlatform) {
    IniDocument doc(
        "[C]\nA=42abc\nB=-7\nC=0x1f\nD=  +12\nE=\nF=junk\nG=0b101\nH=0o17\nI=4294967295\nJ=\"9\"\n");
    EXPECT_EQ(profileInt(doc, "C", "A", 1), 42);
    EXPECT_EQ(profileInt(doc, "C", "B", 1), -7);
    EXPECT_EQ(profileInt(doc, "C", "C", 1), 31);
    EXPECT_EQ(profileInt(doc, "C", "D", 1), 12);
    EXPECT_EQ(profileInt(doc, "C", "E", 1), 1);  // empty: the default
    EXPECT_EQ(profileInt(doc, "C", "F", 1), 0);  // present but no number
    EXPECT_EQ(profileInt(doc, "C", "G", 1), 5);
    EXPECT_EQ(profileInt(doc, "C", "H", 1), 15);
    EXPECT_EQ(profileInt(doc, "C", "I", 1), -1);
    EXPECT_EQ(profileInt(doc, "C", "J", 1), 9);
    EXPECT_EQ(profileInt(doc, "C", "Z", 3), 3);
}

TEST(IniWrite, KeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; station settings\n"
        "[Config]\n"
        "  FadeoutTime = 3   \n"
        "Other=keep\r"
        "\r\n"
        "[DlgPos]\r\n"
        "Main=1 2 3 4";
    IniDocument doc(before);
    std::vector<IniEntry> entries{{"fadeouttime", "5"}, {"AdjRealTimeSec", "2"}};
    doc.assign("config", entries);
    EXPECT_EQ(doc.bytes(),
              "; station settings\n"
              "[Config]\n"
              "fadeouttime=5\r\n"
              "Other=keep\r"
              "AdjRealTimeSec=2\r\n"
              "\r\n"
              "[DlgPos]\r\n"
              "Main=1 2 3 4");
}

TEST(IniWrite, NewSectionsAndSectionsAtTheEnd) {
    IniDocument doc("[A]\r\nx=1");
    std::vector<IniEntry> one{{"y", "2"}};
    doc.assign("A", one);
    EXPECT_EQ(doc.bytes(), "[A]\r\nx=1\r\ny=2\r\n");
    doc.assign("B", one);
    EXPECT_EQ(doc.bytes(), "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\ny=2\r\n");

    IniDocument empty;
    empty.assign("Config", one);
    EXPECT_EQ(empty.bytes(), "[Config]\r\ny=2\r\n");

    IniDocument headerOnly("[A]");
    headerOnly.assign("A", one);
    EXPECT_EQ(headerOnly.bytes(), "[A]\r\ny=2\r\n");
}

TEST(IniWrite, OnlyTheFirstOfDuplicatesChangesAndTheLastWriteOfAKeyWins) {
    IniDocument doc("[S]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\n");
    std::vector<IniEntry> entries{{"k", "a"}, {"n", "b"}, {"K", "c"}, {"n", "d"}};
    doc.assign("S", entries);
    EXPECT_EQ(doc.bytes(), "[S]\r\nK=c\r\nk=2\r\nn=d\r\n[S]\r\nk=3\r\n");
}

TEST(IniWrite, ValuesCannotBreakTheFileApart) {
    IniDocument doc;
    std::vector<IniEntry> entries{{"k", "one\r\n[Evil]\r\nx=1"}};
    doc.assign("S", entries);
    EXPECT_EQ(doc.bytes(), "[S]\r\nk=one\r\n");
    EXPECT_EQ(profileString(doc, "Evil", "x", "none", 80), "none");
}

TEST(IniWrite, WhatIsWrittenReadsBack) {
    IniDocument doc("[S]\r\n");
    std::vector<IniEntry> entries;
    for (int i = 0; i < 500; ++i) entries.push_back({std::to_string(i), "value " + std::to_string(i * 7)});
    doc.assign("S", entries);
    for (int i = 0; i < 500; i += 37) {
        EXPECT_EQ(profileString(doc, "S", std::to_string(i), "", 340), "value " + std::to_string(i * 7));
    }
    std::vector<IniEntry> again{{"250", "changed"}};
    doc.assign("S", again);
    EXPECT_EQ(profileString(doc, "S", "250", "", 340), "changed");
    EXPECT_EQ(profileString(doc, "S", "251", "", 340), "value 1757");
}

}  // namespace
}  // namespace airvane
