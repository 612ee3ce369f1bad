#include "app/toolbar_win32.h"

#include <commctrl.h>

#include <iterator>

#include "resources/resource.h"

namespace airvane {

namespace {

struct ToolbarRow {
    int image;
    int command;
    bool separator;
};

// In the order the operator sees them; the tooltip is string command + 400.
constexpr ToolbarRow kToolbarRows[] = {
    {8, CMD_PLAY, false},          {9, CMD_STOP, false},         {10, CMD_RUN_WINAMP, false},
    {5, CMD_FIND_SONG, false},     {0, 0, true},                 {3, CMD_OPEN_SCHEDULE, false},
    {4, CMD_SAVE, false},          {0, 0, true},                 {1, CMD_ADD, false},
    {2, CMD_DELETE, false},        {0, CMD_EDIT, false},         {0, 0, true},
    {13, CMD_LOADING_SCHEDULES, false}, {11, CMD_TAG_EDITOR, false}, {12, CMD_XTRACK, false},
    {14, CMD_CLOCK, false},
};

constexpr int kToolbarImages = 16;

}  // namespace

void setUpToolbar(HWND toolbar, HINSTANCE module) {
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    TBADDBITMAP bitmap{module, IDB_TOOLBAR};
    SendMessageA(toolbar, TB_ADDBITMAP, kToolbarImages, reinterpret_cast<LPARAM>(&bitmap));
    TBBUTTON buttons[std::size(kToolbarRows)]{};
    for (std::size_t i = 0; i < std::size(kToolbarRows); ++i) {
        buttons[i].iBitmap = kToolbarRows[i].image;
        buttons[i].idCommand = kToolbarRows[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = kToolbarRows[i].separator ? TBSTYLE_SEP : TBSTYLE_BUTTON;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
}

void enableToolbarButton(HWND mainWindow, int command, bool on) {
    SendDlgItemMessageA(mainWindow, IDC_TOOLBAR, TB_ENABLEBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
}

void fillTooltip(LPARAM notification, HINSTANCE module) {
    auto* tip = reinterpret_cast<NMTTDISPINFOA*>(notification);
    LoadStringA(module, static_cast<UINT>(tip->hdr.idFrom + TOOLTIP_STRING_OFFSET), tip->szText, sizeof tip->szText);
}

}  // namespace airvane
