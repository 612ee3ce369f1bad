#include "dialogs/dialog_frame_win32.h"

#include <string>

#include <commctrl.h>

#include <vector>

#include "dialogs/dialog_forms.h"
#include "dialogs/dialog_frame.h"
#include "resources/resource.h"
#include "storage/config_file.h"

namespace airvane {

namespace {

constexpr const char* kPositionSection = "DlgPos";
constexpr const char* kOriginalProcedure = "OrgWndProc";

std::string frameKey(HWND dialog) {
    char key[20] = "";
    GetDlgItemTextA(dialog, IDC_FRAME_KEY, key, sizeof key);
    return key;
}

int dluToPixelsX(int n) { return MulDiv(n, LOWORD(GetDialogBaseUnits()), 4); }
int dluToPixelsY(int n) { return MulDiv(n, HIWORD(GetDialogBaseUnits()), 8); }

void storeClientSize(const FrameContext& frame, HWND dialog, int width, int height) {
    SetPropA(dialog, MAKEINTATOM(frame.clientSizeAtom),
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(MAKELONG(width, height))));
}

void restore(const FrameContext& frame, HWND dialog, bool resizable) {
    if (resizable) {
        RECT client;
        GetClientRect(dialog, &client);
        storeClientSize(frame, dialog, client.right, client.bottom);
        const int gripWidth = dluToPixelsX(8), gripHeight = dluToPixelsY(8);
        CreateWindowA("scrollbar", "",
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                      client.right - gripWidth, client.bottom - gripHeight, gripWidth, gripHeight, dialog,
                      reinterpret_cast<HMENU>(IDC_SIZE_GRIP), GetModuleHandleA(nullptr), nullptr);
    }
    const std::string key = frameKey(dialog);
    if (key.empty()) return;
    const std::string stored = frame.config->readProfileText(kPositionSection, key);
    RECT window;
    GetWindowRect(dialog, &window);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    // The remembered place as it is, on whichever monitor it was; a place on
    // no monitor of this PC (one taken away since) goes to the primary one.
    constexpr int kAnywhere = 1 << 24;
    Placement place = restorePlacement(stored, resizable, window.right - window.left, window.bottom - window.top,
                                       {kAnywhere, kAnywhere, caption});
    const RECT captionBar{place.x, place.y, place.x + place.width, place.y + caption};
    if (!MonitorFromRect(&captionBar, MONITOR_DEFAULTTONULL)) {
        place = restorePlacement("", false, place.width, place.height,
                                 {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), caption});
    }
    MoveWindow(dialog, place.x, place.y, place.width, place.height, FALSE);
}

void save(const FrameContext& frame, HWND dialog) {
    if (IsIconic(dialog) || IsZoomed(dialog)) return;
    const std::string key = frameKey(dialog);
    if (key.empty()) return;
    Placement stored = storedPlacement(frame.config->readProfileText(kPositionSection, key));
    RECT window;
    GetWindowRect(dialog, &window);
    Placement now{window.left, window.top, window.right - window.left, window.bottom - window.top};
    if (now.x == stored.x && now.y == stored.y && now.width == stored.width && now.height == stored.height) return;
    frame.config->writeProfileInts(kPositionSection, key, now.x, now.y, now.width, now.height);
}

}  // namespace

void frameHandler(const FrameContext& frame, HWND dialog, UINT message, WPARAM, bool resizable) {
    switch (message) {
        case WM_INITDIALOG:
            restore(frame, dialog, resizable);
            break;
        case WM_MOVE:
        case WM_SIZE:
            save(frame, dialog);
            break;
        default:
            break;
    }
}

std::optional<SizeChange> sizeChange(const FrameContext& frame, HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (wParam == SIZE_MINIMIZED) return std::nullopt;
    const int width = static_cast<short>(LOWORD(lParam));
    const int height = static_cast<short>(HIWORD(lParam));
    const auto stored = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(GetPropA(dialog, MAKEINTATOM(frame.clientSizeAtom))));
    const int storedWidth = static_cast<short>(LOWORD(stored));
    const int storedHeight = static_cast<short>(HIWORD(stored));
    if (width == storedWidth && height == storedHeight) return std::nullopt;
    storeClientSize(frame, dialog, width, height);
    return SizeChange{width - storedWidth, height - storedHeight};
}

void shiftChildren(HWND dialog, POINT split, SizeChange change) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT screen;
        GetWindowRect(child, &screen);
        Rect moved = shiftChild({screen.left, screen.top, screen.right, screen.bottom}, split.x, split.y, change.dx,
                                change.dy);
        POINT corner{moved.left, moved.top};
        ScreenToClient(dialog, &corner);
        MoveWindow(child, corner.x, corner.y, moved.right - moved.left, moved.bottom - moved.top, FALSE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

void setMinimumTrackingSize(LPARAM minMaxInfo, int widthDlu, int heightDlu) {
    auto* info = reinterpret_cast<MINMAXINFO*>(minMaxInfo);
    info->ptMinTrackSize.x = dluToPixelsX(widthDlu);
    info->ptMinTrackSize.y = dluToPixelsY(heightDlu);
}

void takeOwnersIcon(HWND dialog) {
    HWND owner = GetParent(dialog);
    if (!owner) return;
    SetClassLongPtrA(dialog, GCLP_HICON, GetClassLongPtrA(owner, GCLP_HICON));
}

void subclassControl(HWND control, WNDPROC procedure) {
    LONG_PTR original = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetPropA(control, kOriginalProcedure, reinterpret_cast<HANDLE>(original));
}

LRESULT forwardToOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(GetPropA(control, kOriginalProcedure));
    return original ? CallWindowProcA(original, control, message, wParam, lParam)
                    : DefWindowProcA(control, message, wParam, lParam);
}

void enableControl(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

RECT controlScreenRect(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return rect;
}

int focusedControlId() { return GetDlgCtrlID(GetFocus()); }

void focusControl(HWND dialog, int id) { SetFocus(GetDlgItem(dialog, id)); }

std::string controlText(HWND dialog, int id, std::size_t bufferSize) {
    std::vector<char> text(bufferSize, '\0');
    GetDlgItemTextA(dialog, id, text.data(), static_cast<int>(bufferSize));
    return text.data();
}

void setControlText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void setChecked(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

void createSpin(HWND dialog, int editId, int maximum) {
    HWND spin = CreateWindowA(UPDOWN_CLASSA, "",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                  UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                              0, 0, 8, 8, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(editId + SPIN_ID_OFFSET)),
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, editId)), 0);
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(maximum, 0));
}

void markEveryFields(HWND dialog, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (controlText(dialog, id, 8) == "0") setControlText(dialog, id, kEveryMarker);
    }
}

}  // namespace airvane
