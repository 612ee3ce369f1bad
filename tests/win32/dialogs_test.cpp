// The dialogs driven in-process, as the operator would: fields typed, boxes
// clicked, buttons pressed, messages read.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/dialog_font_win32.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/loading_dialogs_win32.h"
#include "dialogs/preferences_win32.h"
#include "dialogs/schedule_editor_win32.h"
#include "model/node_label.h"
#include "resources/resource.h"
#include "storage/config_file.h"
#include "storage/settings.h"

namespace airvane {
namespace {

std::string text(HWND dialog, int id) {
    char buffer[300] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void type(HWND dialog, int id, const std::string& value) { SetDlgItemTextA(dialog, id, value.c_str()); }

// Presses a button by its command, as the dialog manager does.
void press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, id, 0); }

// Reads the message box that dialog shows next, and presses OK on it.
std::string readMessage(HWND dialog) {
    HWND box = test::waitForDialogOwnedBy(dialog);
    if (!box) return "(no message)";
    std::string message = text(box, 0xFFFF);
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    return message;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        iniPath = std::string(temp) + "airvane-dialogs-" + std::to_string(GetCurrentProcessId()) + ".INI";
        DeleteFileA(iniPath.c_str());
        config = std::make_unique<ConfigFile>(iniPath);
        frame = {config.get(), GlobalAddAtomA("CurrWndSize")};
    }
    void TearDown() override {
        GlobalDeleteAtom(frame.clientSizeAtom);
        DeleteFileA(iniPath.c_str());
    }
    std::string iniPath;
    std::unique_ptr<ConfigFile> config;
    FrameContext frame{};
};

TEST_F(Dialogs, ANewScheduleOpensWithItsDefaultsAndIsWrittenOnConfirm) {
    ScheduleNode record = newScheduleRecord();
    std::thread user = test::onNextDialog([](HWND d) {
        Sleep(1000);  // one tick of the marker timer
        char caption[64];
        GetWindowTextA(d, caption, sizeof caption);
        EXPECT_STREQ(caption, "스케쥴 추가");
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, faceInstalled(L"\uAD74\uB9BC\uCCB4") ? L"\uAD74\uB9BC\uCCB4" : kStandardDialogFace)
            << "the template's 굴림체 where it is installed, else the face every Windows has";
        for (int i = 0; i < 7; ++i) EXPECT_TRUE(checked(d, IDC_SE_SUNDAY + i));
        EXPECT_EQ(text(d, IDC_SE_YEAR), "매");
        EXPECT_EQ(text(d, IDC_SE_MONTH), "매");
        EXPECT_EQ(text(d, IDC_SE_DAY), "매");
        EXPECT_EQ(text(d, IDC_SE_START_HOUR), "0");
        EXPECT_TRUE(checked(d, IDC_SE_NO_END));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SE_END_HOUR)));
        EXPECT_EQ(text(d, IDC_SE_TITLE), "");
        char spinClass[32];
        GetClassNameA(GetDlgItem(d, IDC_SE_YEAR + 1000), spinClass, sizeof spinClass);
        EXPECT_STREQ(spinClass, "msctls_updown32");

        // The checks keep the dialog open with their messages.
        press(d, IDOK);
        EXPECT_EQ(readMessage(d), "프로그램 타이틀을 적으세요");
        click(d, IDC_SE_NO_END);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SE_END_HOUR)));
        type(d, IDC_SE_TITLE, "아침 방송");
        press(d, IDOK);
        EXPECT_EQ(readMessage(d), "시작시간과 끝시간은 달라야 합니다");

        type(d, IDC_SE_START_HOUR, "6");
        type(d, IDC_SE_END_HOUR, "8");
        type(d, IDC_SE_END_MINUTE, "30");
        type(d, IDC_SE_MONTH, "12");
        click(d, IDC_SE_REPEAT);
        click(d, IDC_SE_SUNDAY + 6);  // Saturday off: the day field goes grey
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SE_DAY)));
        press(d, IDOK);
    });
    EXPECT_EQ(editSchedule(nullptr, frame, record), IDOK);
    user.join();
    EXPECT_EQ(record.text, "아침 방송.m3u");
    EXPECT_EQ(record.startSec, 6 * 3600);
    EXPECT_EQ(record.endSec, 8 * 3600 + 30 * 60);
    EXPECT_EQ(record.month, 12);
    EXPECT_EQ(record.year, 0);
    EXPECT_EQ(record.weekdays, 63);
    EXPECT_EQ(record.options, kRepeat);
    EXPECT_EQ(nodeLabel(record), "아침 방송 (매년/12/매일 06:00:00 - 08:30:00)");
    EXPECT_NE(config->readProfileText("DlgPos", "ScheduleInput"), "") << "the position was remembered";
}

TEST_F(Dialogs, EditingAndCancellingLeavesTheRecordAsItWas) {
    ScheduleNode record = newScheduleRecord();
    record.text = "Night.m3u";
    record.startSec = 22 * 3600;
    record.endSec = 23 * 3600;
    record.editing = true;
    record.options = kSoftStart | 0x100;  // 0x100: a bit of a newer program
    const ScheduleNode before = record;
    std::thread user = test::onNextDialog([](HWND d) {
        char caption[64];
        GetWindowTextA(d, caption, sizeof caption);
        EXPECT_STREQ(caption, "스케쥴 수정");
        EXPECT_EQ(text(d, IDC_SE_TITLE), "Night.m3u");
        EXPECT_EQ(text(d, IDC_SE_START_HOUR), "22");
        EXPECT_EQ(text(d, IDC_SE_END_HOUR), "23");
        EXPECT_FALSE(checked(d, IDC_SE_NO_END));
        type(d, IDC_SE_TITLE, "Changed");
        press(d, IDCANCEL);
    });
    EXPECT_EQ(editSchedule(nullptr, frame, record), IDCANCEL);
    user.join();
    EXPECT_EQ(record.text, before.text);
    EXPECT_EQ(record.startSec, before.startSec);

    // Confirmed with the boxes changed: the unknown bit stays.
    std::thread confirm = test::onNextDialog([](HWND d) {
        EXPECT_TRUE(checked(d, IDC_SE_SOFT_START));
        click(d, IDC_SE_SOFT_START);
        click(d, IDC_SE_SHUFFLE);
        press(d, IDOK);
    });
    EXPECT_EQ(editSchedule(nullptr, frame, record), IDOK);
    confirm.join();
    EXPECT_EQ(record.options, kShuffle | 0x100);
}

TEST_F(Dialogs, ATooLongTitleIsRefusedNotCut) {
    ScheduleNode record = newScheduleRecord();
    std::thread user = test::onNextDialog([](HWND d) {
        type(d, IDC_SE_TITLE, std::string(258, 't'));
        press(d, IDOK);
        EXPECT_NE(readMessage(d).find("너무 깁니다"), std::string::npos);
        press(d, IDCANCEL);
    });
    EXPECT_EQ(editSchedule(nullptr, frame, record), IDCANCEL);
    user.join();
    EXPECT_EQ(record.text, "");
}

// Where it was; or, when that is on no monitor (one taken away since), in
// the middle of the primary one.
TEST_F(Dialogs, ThePositionComesBackOntoAMonitorThatExists) {
    for (const int at : {40, -3000}) {
        config->writeProfileInts("DlgPos", "Preference", at, at + 10, 999, 999);
        Settings settings;
        std::thread user = test::onNextDialog([at](HWND d) {
            RECT rect;
            GetWindowRect(d, &rect);
            const int width = rect.right - rect.left;
            EXPECT_EQ(rect.left, at > 0 ? at : (GetSystemMetrics(SM_CXSCREEN) - width) / 2) << at;
            EXPECT_LT(width, 999) << "a fixed dialog keeps its own size";
            press(d, IDCANCEL);
        });
        editPreferences(nullptr, frame, settings);
        user.join();
    }
}

TEST_F(Dialogs, PreferencesTakeEffectAndAreWrittenOrNothingChanges) {
    Settings settings;
    settings.fadeoutTime = 3;
    std::thread cancel = test::onNextDialog([](HWND d) {
        click(d, IDC_PR_DIS_DRAG_DROP);
        press(d, IDCANCEL);
    });
    EXPECT_EQ(editPreferences(nullptr, frame, settings), IDCANCEL);
    cancel.join();
    EXPECT_EQ(settings.disDragDrop, 0);
    EXPECT_EQ(config->readProfileText("Config", "DisDragDrop"), "");

    std::thread user = test::onNextDialog([](HWND d) {
        EXPECT_TRUE(checked(d, IDC_PR_DISP_NOW_PLAY));
        EXPECT_EQ(text(d, IDC_PR_FADEOUT_TIME), "3");
        EXPECT_EQ(text(d, IDC_PR_SOFT_WAIT), "30");
        type(d, IDC_PR_SOFT_WAIT, "45");
        click(d, IDC_PR_DIS_DRAG_DROP);
        click(d, IDC_PR_MAKE_LOG);
        type(d, IDC_PR_ADJ_REAL_TIME, "-5");
        type(d, IDC_PR_FADEOUT_TIME, "");
        type(d, IDC_PR_ALERT_COMMAND, "\"C:\\방송국\\알림.cmd\" \"사고\"");
        EXPECT_EQ(text(d, IDC_PR_NOW_PLAYING_FORMAT), "%programme% - %title%");
        EXPECT_EQ(text(d, IDC_PR_NOW_PLAYING_ENCODING), "UTF-8");
        EXPECT_EQ(text(d, IDC_PR_STATUS_PORT), "0");
        EXPECT_EQ(text(d, IDC_PR_STATUS_ADDRESS), "127.0.0.1");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_PR_NOW_PLAYING_ENCODING, CB_GETCOUNT, 0, 0), 2);
        type(d, IDC_PR_NOW_PLAYING_FILE, "C:\\RDS\\지금.txt");
        type(d, IDC_PR_NOW_PLAYING_FORMAT, "%artist% / %song%");
        SendDlgItemMessageA(d, IDC_PR_NOW_PLAYING_ENCODING, CB_SETCURSEL, 1, 0);
        type(d, IDC_PR_STATUS_PORT, "8080");
        type(d, IDC_PR_STATUS_ADDRESS, "");
        EXPECT_EQ(text(d, IDC_PR_FALLBACK_PLAYLIST), "");
        EXPECT_EQ(text(d, IDC_PR_FALLBACK_AFTER), "10");
        EXPECT_FALSE(checked(d, IDC_PR_FILL_GAPS));
        type(d, IDC_PR_FALLBACK_PLAYLIST, "D:\\대체 방송");
        type(d, IDC_PR_FALLBACK_AFTER, "20");
        click(d, IDC_PR_FILL_GAPS);
        press(d, IDOK);
    });
    EXPECT_EQ(editPreferences(nullptr, frame, settings), IDOK);
    user.join();
    EXPECT_EQ(settings.disDragDrop, 1);
    EXPECT_EQ(settings.makeLogFile, 0);
    EXPECT_EQ(settings.adjRealTimeSec, -5);
    EXPECT_EQ(settings.fadeoutTime, 0);
    EXPECT_EQ(config->readProfileInt("Config", "AdjRealTimeSec", 0), -5);
    EXPECT_EQ(config->readProfileInt("Config", "MakeLogFile", 1), 0);
    EXPECT_EQ(settings.softWaitSec, 45);
    EXPECT_EQ(config->readProfileInt("Config", "SoftWaitSec", 30), 45);
    EXPECT_EQ(settings.alertCommand, "\"C:\\방송국\\알림.cmd\" \"사고\"");
    EXPECT_EQ(readSettings(*config).alertCommand, settings.alertCommand)
        << "read back whole, though the profile functions take a value's outer quotes off";
    const Settings reread = readSettings(*config);
    EXPECT_EQ(reread.nowPlayingFile, "C:\\RDS\\지금.txt");
    EXPECT_EQ(reread.fallbackPlaylist, "D:\\대체 방송");
    EXPECT_EQ(reread.fallbackAfterSec, 20);
    EXPECT_EQ(reread.fillGaps, 1);
    EXPECT_EQ(reread.nowPlayingFormat, "%artist% / %song%");
    EXPECT_EQ(reread.nowPlayingEncoding, "CP949");
    EXPECT_EQ(reread.statusPort, 8080);
    EXPECT_EQ(settings.statusAddress, "127.0.0.1") << "an emptied address is the safe one";
    EXPECT_EQ(reread.statusAddress, "127.0.0.1");
}

TEST_F(Dialogs, TheLoadingManagerAddsEditsAndDeletes) {
    LoadingList list;
    LoadingEntry& existing = appendLoadingEntry(list);
    existing.hour = 6;
    existing.weekdays = -1;
    existing.jobFile = "D:\\week.scd";
    bool dirty = false;

    std::thread user = test::onNextDialog([](HWND manager) {
        HWND box = GetDlgItem(manager, IDC_LM_LIST);
        EXPECT_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 1);
        char line[300];
        SendMessageA(box, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
        EXPECT_STREQ(line, "06:00:00 D:\\week.scd");

        // Nothing selected: the buttons ask for a selection.
        press(manager, IDC_LM_EDIT);
        EXPECT_EQ(readMessage(manager), "수정할 스케줄을 선택하세요");
        press(manager, IDC_LM_DELETE);
        EXPECT_EQ(readMessage(manager), "삭제할 스케줄을 선택하세요");

        // Add: the editor opens with today's date and the current hour.
        press(manager, IDC_LM_ADD);
        HWND editor = test::waitForDialogOwnedBy(manager);
        ASSERT_TRUE(editor);
        char caption[64];
        GetWindowTextA(editor, caption, sizeof caption);
        EXPECT_STREQ(caption, "로딩 스케쥴 추가");
        SYSTEMTIME now;
        GetLocalTime(&now);
        EXPECT_EQ(text(editor, IDC_LE_YEAR), std::to_string(now.wYear));
        EXPECT_EQ(text(editor, IDC_LE_MINUTE), "0");
        press(editor, IDOK);
        EXPECT_EQ(readMessage(editor), "스케쥴 파일명을 입력하세요");
        type(editor, IDC_LE_YEAR, "0");
        type(editor, IDC_LE_MONTH, "0");
        type(editor, IDC_LE_DAY, "0");
        type(editor, IDC_LE_HOUR, "23");
        type(editor, IDC_LE_JOB_FILE, "D:\\night.scd");
        press(editor, IDOK);
        for (int i = 0; i < 100 && SendMessageA(box, LB_GETCOUNT, 0, 0) != 2; ++i) Sleep(50);
        EXPECT_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 2);

        // Delete the first line (sorted: 06:00:00 first), answering OK.
        SendMessageA(box, LB_SETCURSEL, 0, 0);
        press(manager, IDC_LM_DELETE);
        HWND question = test::waitForDialogOwnedBy(manager);
        EXPECT_EQ(text(question, 0xFFFF), "선택한 스케줄을 삭제할까요?");
        SendMessageA(question, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && SendMessageA(box, LB_GETCOUNT, 0, 0) != 1; ++i) Sleep(50);
        SendMessageA(box, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
        EXPECT_STREQ(line, "23:00:00 D:\\night.scd");
        press(manager, IDCANCEL);
    });
    manageLoadingSchedules(nullptr, frame, list, dirty);
    user.join();
    EXPECT_TRUE(dirty);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().hour, 23);
    EXPECT_EQ(list.front().jobFile, "D:\\night.scd");
    EXPECT_EQ(list.front().weekdays, -1);
}

TEST_F(Dialogs, TheManagersKeysInsertDeleteAndEnter) {
    LoadingList list;
    LoadingEntry& entry = appendLoadingEntry(list);
    entry.hour = 7;
    entry.weekdays = -1;
    entry.jobFile = "D:\\morning.scd";
    bool dirty = false;
    std::thread user = test::onNextDialog([](HWND manager) {
        HWND box = GetDlgItem(manager, IDC_LM_LIST);
        PostMessageA(box, WM_KEYDOWN, VK_INSERT, 0);
        HWND editor = test::waitForDialogOwnedBy(manager);
        ASSERT_TRUE(editor);
        char caption[64];
        GetWindowTextA(editor, caption, sizeof caption);
        EXPECT_STREQ(caption, "로딩 스케쥴 추가");
        SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);

        // Enter with the list focused edits the selected entry.
        SendMessageA(box, LB_SETCURSEL, 0, 0);
        SendMessageA(manager, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
        press(manager, IDOK);
        editor = test::waitForDialogOwnedBy(manager);
        ASSERT_TRUE(editor);
        GetWindowTextA(editor, caption, sizeof caption);
        EXPECT_STREQ(caption, "로딩 스케쥴 수정");
        EXPECT_EQ(text(editor, IDC_LE_HOUR), "7");
        EXPECT_EQ(text(editor, IDC_LE_JOB_FILE), "D:\\morning.scd");
        SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);

        PostMessageA(box, WM_KEYDOWN, VK_DELETE, 0);
        HWND question = test::waitForDialogOwnedBy(manager);
        ASSERT_TRUE(question);
        EXPECT_EQ(text(question, 0xFFFF), "선택한 스케줄을 삭제할까요?");
        SendMessageA(question, WM_COMMAND, IDCANCEL, 0);
        press(manager, IDCANCEL);
    });
    manageLoadingSchedules(nullptr, frame, list, dirty);
    user.join();
    EXPECT_FALSE(dirty) << "nothing was changed";
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(Dialogs, TheManagerRemembersItsSizeAndKeepsItsMinimum) {
    LoadingList list;
    bool dirty = false;
    std::thread user = test::onNextDialog([](HWND manager) {
        EXPECT_TRUE(GetDlgItem(manager, IDC_SIZE_GRIP)) << "a size grip";
        RECT before = controlScreenRect(manager, IDC_LM_LIST);
        RECT edit = controlScreenRect(manager, IDC_LM_EDIT);
        RECT window;
        GetWindowRect(manager, &window);
        SetWindowPos(manager, nullptr, 0, 0, window.right - window.left + 60, window.bottom - window.top + 40,
                     SWP_NOMOVE | SWP_NOZORDER);
        RECT after = controlScreenRect(manager, IDC_LM_LIST);
        RECT moved = controlScreenRect(manager, IDC_LM_EDIT);
        EXPECT_EQ(after.right - after.left, before.right - before.left + 60) << "the list grows";
        // A list box keeps to whole lines in height.
        const int line = static_cast<int>(SendDlgItemMessageA(manager, IDC_LM_LIST, LB_GETITEMHEIGHT, 0, 0));
        EXPECT_NEAR(after.bottom - after.top, before.bottom - before.top + 40, line);
        EXPECT_EQ(moved.left, edit.left + 60) << "the buttons follow the right edge";
        EXPECT_EQ(moved.top, edit.top) << "and stay at the top";
        SetWindowPos(manager, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(manager, &window);
        EXPECT_GE(window.right - window.left, MulDiv(130, LOWORD(GetDialogBaseUnits()), 4));
        press(manager, IDCANCEL);
    });
    manageLoadingSchedules(nullptr, frame, list, dirty);
    user.join();
    EXPECT_EQ(storedPlacement(config->readProfileText("DlgPos", "LoadingSchdMant")).width >= 130, true);
}

// A dialog template laid out as the resource compiler writes it: header,
// menu, class, caption, font, then each item on a DWORD boundary. The
// resource ends with the last item (or the face) unpadded.
class DialogTemplate {
public:
    DialogTemplate(bool extended, DWORD style, WORD items, const wchar_t* caption = L"Font")
        : extended_(extended) {
        if (extended) {
            words({1, 0xFFFF});
            dword(0);  // help id
            dword(0);  // extended style
            dword(style);
        } else {
            dword(style);
            dword(0);
        }
        words({items, 10, 10, 120, 60, 0, 0});  // count, x, y, cx, cy, no menu, no class
        text(caption);
        if (!(style & DS_SETFONT)) return;
        words({9});
        if (extended) words({FW_NORMAL, 0});  // weight; italic and charset bytes
        faceAt = bytes.size();
        text(L"Airvane Missing Face");
    }
    void button(WORD id, const wchar_t* caption) {
        while (bytes.size() % 4) bytes.push_back(0);
        if (!firstItem) firstItem = bytes.size();
        if (extended_) dword(0);  // help id
        const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
        if (!extended_) dword(style);
        dword(0);
        if (extended_) dword(style);
        words({5, 5, 50, 14});
        extended_ ? dword(id) : words({id});
        words({0xFFFF, 0x0080});  // the button class
        text(caption);
        words({0});  // no creation data
    }
    std::vector<BYTE> bytes;
    std::size_t faceAt = 0, firstItem = 0;

private:
    void words(std::initializer_list<WORD> list) {
        for (WORD w : list) bytes.insert(bytes.end(), {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)});
    }
    void dword(DWORD d) { words({LOWORD(d), HIWORD(d)}); }
    void text(const wchar_t* t) {
        for (; *t; ++t) words({static_cast<WORD>(*t)});
        words({0});
    }
    bool extended_;
};

// The bytes placed so that they end where readable memory ends: a read past
// their size faults instead of passing unseen.
class AtPageEnd {
public:
    explicit AtPageEnd(const std::vector<BYTE>& bytes) {
        const std::size_t pages = (bytes.size() + 4095) / 4096 + 1;
        base_ =
            static_cast<BYTE*>(VirtualAlloc(nullptr, pages * 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base_ + (pages - 1) * 4096, 4096, PAGE_NOACCESS, &old);
        data = base_ + (pages - 1) * 4096 - bytes.size();
        std::memcpy(data, bytes.data(), bytes.size());
    }
    ~AtPageEnd() { VirtualFree(base_, 0, MEM_RELEASE); }
    AtPageEnd(const AtPageEnd&) = delete;
    AtPageEnd& operator=(const AtPageEnd&) = delete;
    BYTE* data = nullptr;

private:
    BYTE* base_ = nullptr;
};

INT_PTR CALLBACK plainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogFont, AMissingFaceIsReplacedInEveryTemplateTheResourceCompilerMakes) {
    ASSERT_FALSE(faceInstalled(L"Airvane Missing Face"));
    const std::size_t newFaceBytes = (wcslen(kStandardDialogFace) + 1) * sizeof(wchar_t);
    // Captions of an odd and an even length: the face ends on a DWORD or halfway.
    for (bool extended : {false, true})
        for (const wchar_t* caption : {L"Font", L"Fonts"})
            for (int items : {0, 1, 2}) {
                SCOPED_TRACE(std::string(extended ? "DIALOGEX" : "DIALOG") + " with " +
                             std::to_string(items) + " items, a caption of " +
                             std::to_string(wcslen(caption)));
                DialogTemplate made(extended, WS_POPUP | DS_SETFONT, static_cast<WORD>(items), caption);
                if (items > 0) made.button(IDOK, L"OK");
                if (items > 1) made.button(IDCANCEL, L"Cancel");
                const AtPageEnd resource(made.bytes);
                const std::vector<DWORD> copy =
                    withInstalledFace(resource.data, static_cast<DWORD>(made.bytes.size()));

                const auto* out = reinterpret_cast<const BYTE*>(copy.data());
                EXPECT_EQ(std::memcmp(out, made.bytes.data(), made.faceAt), 0)
                    << "all before the face as it was";
                EXPECT_STREQ(reinterpret_cast<const wchar_t*>(out + made.faceAt), kStandardDialogFace);
                // The items as they were, from the next DWORD on.
                const std::size_t itemsAt = (made.faceAt + newFaceBytes + 3) & ~std::size_t{3};
                const std::size_t itemBytes = items ? made.bytes.size() - made.firstItem : 0;
                const std::size_t end = items ? itemsAt + itemBytes : made.faceAt + newFaceBytes;
                ASSERT_GE(copy.size() * 4, end);
                EXPECT_LT(copy.size() * 4, end + 4);
                EXPECT_EQ(std::memcmp(out + itemsAt, made.bytes.data() + made.firstItem, itemBytes), 0);

                HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                         reinterpret_cast<const DLGTEMPLATE*>(out), nullptr,
                                                         plainDialog, 0);
                ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
                LOGFONTW font{};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font,
                           &font);
                EXPECT_STREQ(font.lfFaceName, kStandardDialogFace);
                EXPECT_EQ(GetDlgItem(dialog, IDOK) != nullptr, items > 0);
                EXPECT_EQ(GetDlgItem(dialog, IDCANCEL) != nullptr, items > 1);
                DestroyWindow(dialog);
            }
}

TEST(DialogFont, ATemplateWithoutAFontOrCutShortIsCopiedAsItIs) {
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "DIALOGEX" : "DIALOG");
        DialogTemplate plain(extended, WS_POPUP, 0);
        DialogTemplate cut(extended, WS_POPUP | DS_SETFONT, 0);
        cut.bytes.resize(cut.bytes.size() - 4);  // the face without its end
        DialogTemplate headless(extended, WS_POPUP | DS_SETFONT, 0);
        headless.bytes.resize(extended ? 20 : 12);
        for (const std::vector<BYTE>* bytes : {&plain.bytes, &cut.bytes, &headless.bytes}) {
            const AtPageEnd resource(*bytes);
            const std::vector<DWORD> copy =
                withInstalledFace(resource.data, static_cast<DWORD>(bytes->size()));
            ASSERT_EQ(copy.size(), (bytes->size() + 3) / 4);
            EXPECT_EQ(std::memcmp(copy.data(), bytes->data(), bytes->size()), 0);
        }
    }
}

}  // namespace
}  // namespace airvane
