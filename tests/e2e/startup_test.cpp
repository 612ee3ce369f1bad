// Start-up as a user sees it: one instance, the LOG folder, the window with
// its Korean menu, a clean close.
#include <windows.h>

#include <gtest/gtest.h>

#include "airvane_process.h"

namespace airvane::e2e {
namespace {

TEST(Startup, OneInstanceALogFolderAndACleanClose) {
    const std::string folder = prepareRunFolder("startup");
    AirvaneProcess first(folder);
    ASSERT_TRUE(first.started());
    HWND window = first.waitForWindow(15000);
    ASSERT_TRUE(window);

    DWORD attributes = GetFileAttributesA((folder + "\\LOG").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

    char title[80];
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(std::string(title).rfind("Airvane 2.02", 0), 0u) << title;
    EXPECT_TRUE(GetMenu(window)) << "the window carries menu 1";

    // A second start, even from another folder, shows the first and leaves.
    const std::string other = prepareRunFolder("startup-second");
    AirvaneProcess second(other);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.waitForExit(15000), 0);
    EXPECT_EQ(countMainWindows(), 1);
    EXPECT_EQ(GetFileAttributesA((other + "\\LOG").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the second instance must create nothing";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.waitForExit(15000), 0);
    EXPECT_EQ(countMainWindows(), 0);
}

TEST(Startup, TheProgramCarriesItsKoreanMenu) {
    // Menus cannot be read across processes under Wine: read the program's
    // own menu resource instead.
    HMODULE program = LoadLibraryExA((buildFolder() + "\\airvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    HMENU menu = LoadMenuA(program, MAKEINTRESOURCEA(1));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    const char* const popups[] = {"스케쥴", "연주", "유틸리티"};
    for (int i = 0; i < 3; ++i) {
        char label[64] = "";
        GetMenuStringA(menu, i, label, sizeof label, MF_BYPOSITION);
        EXPECT_STREQ(label, popups[i]);
    }
    char exitLabel[64] = "";
    GetMenuStringA(menu, 102, exitLabel, sizeof exitLabel, MF_BYCOMMAND);
    EXPECT_STREQ(exitLabel, "종료\tAlt+F4");
    DestroyMenu(menu);
    FreeLibrary(program);
}

TEST(Startup, AnExistingLogFolderIsKept) {
    const std::string folder = prepareRunFolder("startup-existing-log");
    CreateDirectoryA((folder + "\\LOG").c_str(), nullptr);
    HANDLE marker = CreateFileA((folder + "\\LOG\\20261207.LOG").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(marker, INVALID_HANDLE_VALUE);
    CloseHandle(marker);

    AirvaneProcess app(folder);
    HWND window = app.waitForWindow(15000);
    ASSERT_TRUE(window);
    EXPECT_NE(GetFileAttributesA((folder + "\\LOG\\20261207.LOG").c_str()), INVALID_FILE_ATTRIBUTES);
    SendMessageA(window, WM_COMMAND, 102, 0);  // the exit command
    EXPECT_EQ(app.waitForExit(15000), 0);
}

// A program folder that takes no file (Program Files for a program that is
// not elevated) is said once the window is up. Here a folder in the place of
// the probe file refuses it: under Wine as root, rights refuse nothing.
TEST(Startup, AFolderThatTakesNoFileIsSaid) {
    const std::string folder = prepareRunFolder("startup-read-only");
    CreateDirectoryA((folder + "\\airvane.~wr").c_str(), nullptr);
    AirvaneProcess app(folder);
    ASSERT_TRUE(app.waitForWindow(15000)) << "it still goes on air";
    HWND box = app.waitForDialog();
    ASSERT_TRUE(box);
    char text[400] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_EQ(std::string(text).find("' 폴더에 쓸 수 없어 설정, 스케쥴과 LOG를 저장하지 못합니다"), folder.size() + 1) << text;
    SendMessageA(box, WM_COMMAND, IDOK, 0);
}

// Explorer's properties say what each shipped program is.
TEST(Startup, BothProgramsCarryTheirVersion) {
    for (const char* name : {"airvane.exe", "scdtool.exe"}) {
        const std::string path = buildFolder() + "\\" + name;
        DWORD ignored = 0;
        std::string info(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
        ASSERT_FALSE(info.empty()) << name;
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        auto value = [&info](const char* key) {
            char* text = nullptr;
            UINT size = 0;
            const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
            return VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &size) && text
                       ? std::string(text)
                       : std::string();
        };
        EXPECT_EQ(value("ProductVersion"), "2.02") << name;
        EXPECT_EQ(value("ProductName"), "Airvane") << name;
        EXPECT_EQ(value("OriginalFilename"), name);
        EXPECT_FALSE(value("FileDescription").empty()) << name;
    }
}

// Read back from the built program: it runs as its user, with Common
// Controls 6, per-monitor DPI and the Korean code page asked for.
TEST(Startup, TheProgramCarriesItsManifest) {
    HMODULE exe = LoadLibraryExA((buildFolder() + "\\airvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                               SizeofResource(exe, found));
    for (const char* part : {"level=\"asInvoker\"", "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "PerMonitorV2", ">ko-KR</activeCodePage>"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    FreeLibrary(exe);
}

}  // namespace
}  // namespace airvane::e2e
