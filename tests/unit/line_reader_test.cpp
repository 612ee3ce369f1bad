#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "storage/file_io.h"
#include "recording_messages.h"
#include "test_files.h"

namespace airvane {
namespace {

using test::RecordingMessages;

std::vector<std::string> readAll(const std::string& path, std::size_t size = 260) {
    auto reader = openLineReader(path, nullptr);
    EXPECT_TRUE(reader);
    std::vector<std::string> lines;
    std::string line;
    while (reader && readLine(*reader, line, size)) lines.push_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EveryKindOfLineEnd) {
    test::TempDir dir;
    EXPECT_EQ(readAll(dir.write("a", "one\r\ntwo\nthree\rfour\n\rfive")), (Lines{"one", "two", "three", "four", "five"}));
    EXPECT_EQ(readAll(dir.write("b", "a\r\n")), (Lines{"a"}));  // no extra empty line
    EXPECT_EQ(readAll(dir.write("c", "a\r\rb\n\nc")), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(readAll(dir.write("d", "")), Lines{});
    EXPECT_EQ(readAll(dir.write("e", "\r\n\r\nx")), (Lines{"", "", "x"}));
}

TEST(LineReader, CtrlZEndsTheFile) {
    test::TempDir dir;
    EXPECT_EQ(readAll(dir.write("z", "one\r\ntw\x1Ao\r\nthree\r\n")), (Lines{"one", "tw"}));
}

TEST(LineReader, LongLinesAreCutNotSplit) {
    test::TempDir dir;
    const std::string longLine(300, 'x');
    Lines lines = readAll(dir.write("long", longLine + "\r\nnext\r\n"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(259, 'x'));
    EXPECT_EQ(lines[1], "next");

    auto reader = openLineReader(dir.path("long"), nullptr);
    std::string line = "untouched";
    EXPECT_FALSE(readLine(*reader, line, 0));
    EXPECT_EQ(line, "untouched");
}

TEST(LineReader, LinesAcrossBufferRefills) {
    test::TempDir dir;
    // Exactly one refill's worth: read in full, then a read of 0 bytes ends it.
    std::string exact(LineReader::kRefill, 'a');
    exact[100] = '\n';
    Lines lines = readAll(dir.write("exact", exact), 70000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 100u);
    EXPECT_EQ(lines[1].size(), LineReader::kRefill - 101);

    // A CR LF pair split across two refills is still one line end.
    std::string split(LineReader::kRefill - 1, 'b');
    split += "\r\nafter\r\n";
    lines = readAll(dir.write("split", split), 70000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "after");

    // Many short lines over several refills lose nothing.
    std::string many;
    for (int i = 0; i < 30000; ++i) many += std::to_string(i) + "\r\n";
    lines = readAll(dir.write("many", many));
    ASSERT_EQ(lines.size(), 30000u);
    EXPECT_EQ(lines[29999], "29999");
}

TEST(LineReader, AMissingFileIsReportedOnlyWithAnOwner) {
    test::TempDir dir;
    RecordingMessages owner;
    EXPECT_FALSE(openLineReader(dir.path("missing.scd"), nullptr));
    EXPECT_FALSE(openLineReader(dir.path("missing.scd"), &owner));
    ASSERT_EQ(owner.shown.size(), 1u);
    EXPECT_EQ(owner.shown[0], "'" + dir.path("missing.scd") + "' 파일이 열리지 않습니다");
    EXPECT_EQ(owner.styles[0], kMsgOk);
}

TEST(WriteLine, TextThenLineEnds) {
    test::TempDir dir;
    {
        File file = openFileReported(dir.path("out"), FileMode::Write, nullptr);
        ASSERT_TRUE(file);
        EXPECT_EQ(writeLine(file, "abc"), 5u);
        EXPECT_EQ(writeLine(file, nullptr, 2), 4u);
        EXPECT_EQ(writeLine(file, ""), 2u);
    }
    EXPECT_EQ(dir.read("out"), "abc\r\n\r\n\r\n\r\n");
}

TEST(MessageStyle, ExclamationUnlessAnIconIsGivenAndAlwaysTaskModal) {
    EXPECT_EQ(messageBoxStyle(kMsgOk), 0x2030u);
    EXPECT_EQ(messageBoxStyle(kMsgYesNoCancel), 0x2033u);
    EXPECT_EQ(messageBoxStyle(kMsgOkCancelStop), 0x2011u);
    EXPECT_EQ(messageBoxStyle(0x40), 0x2040u);
}

// With the memory gone, opening a file for reading says so and gives no
// reader; it does not throw through its caller. Run in a child process whose
// address space is capped and then filled.
TEST(LineReader, NoMemoryForTheBufferIsReportedNotThrown) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's allocator ignores an address-space cap";
#else
    test::TempDir dir;
    const std::string path = dir.write("a.txt", "line\r\n");
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        long pages = 0;  // the address space in use now, and a little more
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (64u << 20);
        rlimit cap{limit, limit};
        setrlimit(RLIMIT_AS, &cap);
        void* forTheFile = std::malloc(8192);  // fopen's own needs stay met
        // Kept, so that no allocation is optimised away.
        std::vector<void*> blocks;
        blocks.reserve(1 << 16);
        while (void* block = std::malloc(65536)) blocks.push_back(block);
        std::free(forTheFile);
        RecordingMessages messages;
        const bool refused = openLineReader(path, &messages) == nullptr;
        _exit(!blocks.empty() && refused && messages.shown == std::vector<std::string>{"메모리 할당이 안됩니다"} ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the child ended abnormally (an uncaught exception aborts)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

}  // namespace
}  // namespace airvane
