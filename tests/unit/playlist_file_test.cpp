#include "player/playlist_file.h"

#include <gtest/gtest.h>

#include "model/memory_tree.h"
#include "test_files.h"
#include "test_tree.h"

namespace airvane {
namespace {

using test::addNode;

TEST(PlaylistFile, OnePathPerLineInTreeOrderFilesOnly) {
    test::TempDir dir;
    MemoryTree tree;
    NodeItem root = addNode(tree, kNoNode, kRoot, "");
    NodeItem morning = addNode(tree, root, kSchedule, "Morning.m3u");
    addNode(tree, morning, kFile, "D:\\Music\\b.mp3");
    addNode(tree, morning, kFile, "D:\\Music\\list.m3u");
    addNode(tree, morning, kSchedule, "not a file");
    addNode(tree, morning, kFile, "D:\\Music\\a.mp3");
    std::string folder = dir.path("");
    folder.pop_back();  // the folder as the program gives it, without a separator
    PlaylistResult result = writePlaylistFile(tree, morning, folder);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.path, folder + "\\Morning.m3u");
    EXPECT_EQ(dir.read("Morning.m3u"), "D:\\Music\\b.mp3\r\nD:\\Music\\list.m3u\r\nD:\\Music\\a.mp3\r\n");

    NodeItem empty = addNode(tree, root, kSchedule, "Empty.m3u");
    result = writePlaylistFile(tree, empty, folder);
    EXPECT_EQ(result.path, folder + "\\Empty.m3u");
    EXPECT_EQ(dir.read("Empty.m3u"), "");

    EXPECT_EQ(writePlaylistFile(tree, root, folder).path, "") << "only a Schedule has a playlist";
}

TEST(PlaylistFile, TitlesNeverLeadOutsideTheProgramFolder) {
    for (const char* title : {"..\\evil.m3u", "a/b.m3u", "C:evil.m3u", "sub\\x.m3u", "a?.m3u", "a|b.m3u",
                              "a\x01.m3u", "CON.m3u", "nul .m3u", "Com7.m3u", "lpt1"}) {
        PlaylistResult result = playlistPath("C:\\Radio", title);
        EXPECT_EQ(result.path, "") << title;
        EXPECT_NE(result.error, "") << title;
    }
    // Without separators ".." is a plain name; so are names near a device's.
    for (const char* title : {"News..m3u", "..m3u", "a..b.m3u", "CONCERT.m3u", "COM0.m3u", "\x81\x41.m3u"}) {
        EXPECT_EQ(playlistPath("C:\\Radio", title).path, std::string("C:\\Radio\\") + title);
    }
    EXPECT_EQ(playlistPath("C:\\Radio", "Morning.m3u").path, "C:\\Radio\\Morning.m3u");
    EXPECT_EQ(playlistPath("C:\\Radio\\", "Morning.m3u").path, "C:\\Radio\\Morning.m3u");
    const std::string folder = "C:\\" + std::string(240, 'f');
    EXPECT_EQ(playlistPath(folder, std::string(11, 't') + ".m3u").path.size(), 259u);
    PlaylistResult tooLong = playlistPath(folder, std::string(12, 't') + ".m3u");
    EXPECT_EQ(tooLong.path, "");
    EXPECT_NE(tooLong.error.find("너무 길어"), std::string::npos);
}

}  // namespace
}  // namespace airvane
