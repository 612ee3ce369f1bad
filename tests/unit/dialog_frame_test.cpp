#include "dialogs/dialog_frame.h"

#include <gtest/gtest.h>

#include "storage/file_selection.h"

namespace airvane {
namespace {

constexpr ScreenSize kScreen{1024, 768, 20};

TEST(DialogPlacement, CentredWithoutAStoredPlaceOrOffTheScreen) {
    Placement p = restorePlacement("", false, 300, 200, kScreen);
    EXPECT_EQ(p.x, (1024 - 300) / 2);
    EXPECT_EQ(p.y, (768 - 200) / 2);
    p = restorePlacement("1010 100 300 200", false, 300, 200, kScreen);  // right edge less a caption
    EXPECT_EQ(p.x, 362);
    p = restorePlacement("100 749", true, 300, 200, kScreen);
    EXPECT_EQ(p.y, 284);
}

TEST(DialogPlacement, FixedDialogsTakeThePositionResizableOnesTheSizeToo) {
    Placement fixed = restorePlacement("10 20 500 600", false, 300, 200, kScreen);
    EXPECT_EQ(fixed.x, 10);
    EXPECT_EQ(fixed.y, 20);
    EXPECT_EQ(fixed.width, 300);
    EXPECT_EQ(fixed.height, 200);
    Placement resizable = restorePlacement("-50 -20 500 600", true, 300, 200, kScreen);
    EXPECT_EQ(resizable.x, -50);  // off the left and top edges is kept
    EXPECT_EQ(resizable.y, -20);
    EXPECT_EQ(resizable.width, 500);
    EXPECT_EQ(resizable.height, 600);
    Placement stored = storedPlacement("1 2");
    EXPECT_EQ(stored.width, 0);
}

TEST(DialogResize, ChildrenMoveGrowOrStay) {
    const int sx = 100, sy = 50;
    Rect right = shiftChild({150, 10, 200, 30}, sx, sy, 20, 10);
    EXPECT_EQ(right.left, 170);
    EXPECT_EQ(right.right, 220);
    EXPECT_EQ(right.top, 10);  // above the split: stays vertically
    Rect straddling = shiftChild({10, 10, 150, 80}, sx, sy, 20, 10);
    EXPECT_EQ(straddling.left, 10);
    EXPECT_EQ(straddling.right, 170);
    EXPECT_EQ(straddling.bottom, 90);
    Rect below = shiftChild({10, 60, 90, 70}, sx, sy, 20, 10);
    EXPECT_EQ(below.top, 70);
    EXPECT_EQ(below.right, 90);
    Rect stays = shiftChild({10, 10, 90, 40}, sx, sy, 20, 10);
    EXPECT_EQ(stays.left, 10);
    EXPECT_EQ(stays.bottom, 40);
}

TEST(FileSelection, OnePathOrAFolderWithNames) {
    EXPECT_EQ(selectedPaths(std::string("D:\\Music\\a.mp3\0", 15)), (std::vector<std::string>{"D:\\Music\\a.mp3"}));
    EXPECT_EQ(selectedPaths(std::string("D:\\Music\0a.mp3\0b.mp3\0\0", 23)),
              (std::vector<std::string>{"D:\\Music\\a.mp3", "D:\\Music\\b.mp3"}));
    EXPECT_EQ(selectedPaths(std::string("D:\\\0a.mp3\0\0", 11)), (std::vector<std::string>{"D:\\a.mp3"}));
    EXPECT_TRUE(selectedPaths("").empty());
}

}  // namespace
}  // namespace airvane
