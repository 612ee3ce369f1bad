// The Windows side of the file-system layer, on the real file functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "storage/file_io.h"
#include "storage/filesystem.h"
#include "storage/filesystem_platform.h"

namespace airvane {
namespace {

std::string tempFolder(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string dir = std::string(folder) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

// Windows' own comparison, in the Korean code page: case aside for Latin
// letters, never for the second byte of a Hangul syllable.
TEST(Filesystem, PathTextComparedAsWindowsDoes) {
    EXPECT_TRUE(samePathText("D:\\Music\\A.MP3", "d:\\music\\a.mp3"));
    EXPECT_FALSE(samePathText("D:\\갂.mp3", "D:\\갵.mp3"));  // 81 41 and 81 61
    EXPECT_TRUE(samePathText("D:\\뉴스.mp3", "d:\\뉴스.MP3"));
}

TEST(Filesystem, PathKindOfFilesFoldersPatternsAndNothing) {
    const std::string dir = tempFolder("airvane-kind");
    const std::string file = dir + "\\Morning.m3u";
    ASSERT_TRUE(writeFileAtomically(file, "a\r\n"));
    EXPECT_EQ(pathKind(file), 1);
    EXPECT_EQ(pathKind(dir), 2);
    EXPECT_EQ(pathKind(dir + "\\*.m3u"), 1);
    EXPECT_EQ(pathKind(dir + "\\*.mp3"), 0);
    EXPECT_EQ(pathKind(dir + "\\missing"), 0);
    removeFile(file);
    RemoveDirectoryA(dir.c_str());
}

TEST(Filesystem, AtomicWritesReplaceAndLeaveNoTemporaryFile) {
    const std::string dir = tempFolder("airvane-atomic");
    const std::string file = dir + "\\a.INI";
    ASSERT_TRUE(writeFileAtomically(file, "old"));
    ASSERT_TRUE(writeFileAtomically(file, "new contents\r\n"));
    EXPECT_EQ(readWholeFile(file).value_or("?"), "new contents\r\n");
    EXPECT_EQ(pathKind(file + ".~tmp"), 0);

    // With the temporary name taken by a folder the write fails and the
    // file keeps its contents.
    CreateDirectoryA((file + ".~tmp").c_str(), nullptr);
    EXPECT_FALSE(writeFileAtomically(file, "lost"));
    EXPECT_EQ(readWholeFile(file).value_or("?"), "new contents\r\n");
    RemoveDirectoryA((file + ".~tmp").c_str());
    removeFile(file);
    RemoveDirectoryA(dir.c_str());
}

TEST(Filesystem, LineReaderOnWindowsFiles) {
    const std::string dir = tempFolder("airvane-lines");
    const std::string file = dir + "\\플레이리스트.m3u";  // a CP949 file name
    ASSERT_TRUE(writeFileAtomically(file, "D:\\음악\\a.mp3\r\nD:\\b.mp3\x1A" "ignored"));
    auto reader = openLineReader(file, nullptr);
    ASSERT_TRUE(reader);
    std::string line;
    ASSERT_TRUE(readLine(*reader, line, 260));
    EXPECT_EQ(line, "D:\\음악\\a.mp3");
    ASSERT_TRUE(readLine(*reader, line, 260));
    EXPECT_EQ(line, "D:\\b.mp3");
    EXPECT_FALSE(readLine(*reader, line, 260));
    closeLineReader(reader);
    removeFile(file);
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace airvane
