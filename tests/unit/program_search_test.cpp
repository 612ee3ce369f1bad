#include "tools/program_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_files.h"

namespace airvane {
namespace {

class ProgramSearch : public ::testing::Test {
protected:
    // A folder chain under the temporary folder, made as needed.
    std::string folder(const std::string& relative) {
        std::string path = dir.path("");
        for (std::size_t from = 0; from < relative.size();) {
            std::size_t slash = relative.find('/', from);
            if (slash == std::string::npos) slash = relative.size();
            path += relative.substr(from, slash - from) + "/";
            mkdir(path.c_str(), 0777);
            from = slash + 1;
        }
        return path;
    }
    std::string root() const { return dir.path("") + "\\"; }

    test::TempDir dir;
    std::atomic<bool> stop{false};
};

TEST_F(ProgramSearch, TakesTheFirstFileDepthFirstInItsOwnSpellingAndPassesWhatItMustNot) {
    // Sorted before the copies that count, each of these must be passed over.
    // A folder path of 254 characters can be listed, but the copy inside it
    // would make a path of 264:
    const std::string deep = "0" + std::string(140, 'L') + "/" + std::string(254 - root().size() - 143, 'L');
    folder(deep);
    dir.write(deep + "/WINAMP.EXE", "");
    folder("z-target");
    dir.write("z-target/WINAMP.EXE", "");
    ASSERT_EQ(symlink(dir.path("z-target").c_str(), dir.path("0link").c_str()), 0);  // not followed
    folder("WINAMP.EXE/inner");  // a folder is no hit, but is walked
    dir.write("WINAMP.EXE/inner/winamp.EXE", "");
    folder("a/deep");
    dir.write("a/deep/Winamp.exe", "");
    dir.write("b/WINAMP.EXE", "");

    EXPECT_EQ(findProgramUnder(root(), "WINAMP.EXE", stop), root() + "WINAMP.EXE\\inner\\winamp.EXE");
    unlink(dir.path("WINAMP.EXE/inner/winamp.EXE").c_str());
    EXPECT_EQ(findProgramUnder(root(), "WINAMP.EXE", stop), root() + "a\\deep\\Winamp.exe");
    EXPECT_FALSE(findProgramUnder(root(), "TAGEDIT.EXE", stop));
    stop = true;
    EXPECT_FALSE(findProgramUnder(root(), "WINAMP.EXE", stop));
}

}  // namespace
}  // namespace airvane
