#include "storage/number_scan.h"

#include <gtest/gtest.h>

namespace airvane {
namespace {

TEST(ParseNumber, DecimalHexAndSigns) {
    int consumed = -1;
    EXPECT_EQ(parseNumber("  -12ab", &consumed), -12);
    EXPECT_EQ(consumed, 5);
    EXPECT_EQ(parseNumber("0x1F", &consumed), 31);
    EXPECT_EQ(consumed, 4);
    EXPECT_EQ(parseNumber("-0x1F", &consumed), 0);  // no hex after a sign
    EXPECT_EQ(consumed, 2);
    EXPECT_EQ(parseNumber("+7"), 7);
    EXPECT_EQ(parseNumber("\t0xfFz"), 255);
    EXPECT_EQ(parseNumber("abc", &consumed), 0);
    EXPECT_EQ(consumed, 0);
    EXPECT_EQ(parseNumber("", &consumed), 0);
    EXPECT_EQ(consumed, 0);
    EXPECT_EQ(parseNumber("0x", &consumed), 0);
    EXPECT_EQ(consumed, 0);
}

TEST(ParseNumber, WrapsAt32Bits) {
    EXPECT_EQ(parseNumber("4294967297"), 1);
    EXPECT_EQ(parseNumber("2147483648"), INT32_MIN);
    EXPECT_EQ(parseNumber("-2147483648"), INT32_MIN);
}

TEST(ScanText, ScheduleRecordExample) {
    int32_t v[11];
    for (int32_t& x : v) x = 99;
    EXPECT_TRUE(scanText("127 8:30:0 0:0:-1 0/0/0 3", "%d %d:%d:%d %d:%d:%d %d/%d/%d %d",
                         {&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10]}));
    const int32_t expected[11] = {127, 8, 30, 0, 0, 0, -1, 0, 0, 0, 3};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(v[i], expected[i]) << i;
}

TEST(ScanText, BlanksAndMismatches) {
    int32_t a = 99, b = 99;
    EXPECT_TRUE(scanText("5  6", "%d %d", {&a, &b}));
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);

    a = b = 99;
    EXPECT_FALSE(scanText("5,6", "%d %d", {&a, &b}));
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 99);  // after the mismatch nothing is stored

    a = 99;
    EXPECT_FALSE(scanText("", "%d", {&a}));
    EXPECT_EQ(a, 99);

    a = b = 99;
    EXPECT_FALSE(scanText("5", "%d %d", {&a, &b}));  // input ends first
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 99);

    a = 99;
    EXPECT_FALSE(scanText(" 5", "%d", {&a}));  // %d skips no blanks
    EXPECT_EQ(a, 0);

    a = 99;
    EXPECT_FALSE(scanText("x", "%d", {&a}));  // no digit: 0 is stored and "x" is left over
    EXPECT_EQ(a, 0);
}

TEST(ScanText, DecimalPointAndPrecision) {
    int32_t v = 0;
    scanText("12.7", "%d", {&v});
    EXPECT_EQ(v, 13);
    scanText("12.4", "%d", {&v});
    EXPECT_EQ(v, 12);
    scanText("1.25", "%.1d", {&v});
    EXPECT_EQ(v, 13);
    scanText("1.2", "%.3d", {&v});
    EXPECT_EQ(v, 1200);
    scanText("-3.14159", "%.2d", {&v});
    EXPECT_EQ(v, -314);
    int32_t w = 5;
    EXPECT_TRUE(scanText("1.2.3", "%d.%d", {&v, &w}));  // the second point ends the number
    EXPECT_EQ(v, 1);
    EXPECT_EQ(w, 3);
}

TEST(ScanText, CharactersStringsAndPercent) {
    char c = 0;
    std::string s;
    int32_t n = 0;
    EXPECT_TRUE(scanText("x 'two words' 42", "%c %s %d", {&c, &s, &n}));
    EXPECT_EQ(c, 'x');
    EXPECT_EQ(s, "two words");
    EXPECT_EQ(n, 42);
    EXPECT_TRUE(scanText("plain\t7", "%s %d", {&s, &n}));
    EXPECT_EQ(s, "plain");
    EXPECT_EQ(n, 7);
    EXPECT_TRUE(scanText("50%", "%d%%", {&n}));
    EXPECT_EQ(n, 50);
    EXPECT_TRUE(scanText("%q", "%q", {}));  // an unknown conversion is a literal "%"
    EXPECT_FALSE(scanText("1", "%d", {&s}));  // an output of the wrong type stops the scan
}

}  // namespace
}  // namespace airvane
