// What every dialog of the program shares: its remembered place in
// "DlgPos", the size grip and resizing of a resizable dialog, subclassing,
// and small control helpers.
#pragma once

#include <windows.h>

#include "dialogs/dialog_font_win32.h"

#include <initializer_list>
#include <optional>
#include <string>

namespace airvane {

class ConfigFile;

// The frame's view of the program: where positions are kept, and the atom
// under which a resizable dialog keeps its last client size.
struct FrameContext {
    ConfigFile* config;
    ATOM clientSizeAtom;
};

// The data a dialog was opened with (its creation parameter): attached at
// WM_INITDIALOG, read back for every later message; null for the messages
// that come before WM_INITDIALOG.
template <typename Data>
Data* dialogData(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// A modal dialog of this program's templates, opened with data.
template <typename Data>
INT_PTR runModalDialog(HWND owner, int templateId, DLGPROC procedure, Data& data) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    return DialogBoxIndirectParamA(instance, dialogTemplate(instance, templateId), owner, procedure,
                                   reinterpret_cast<LPARAM>(&data));
}

// Called first by every dialog procedure; never consumes a message.
void frameHandler(const FrameContext& frame, HWND dialog, UINT message, WPARAM wParam, bool resizable);

struct SizeChange {
    int dx;
    int dy;
};
// On WM_SIZE: the change of the client size since the last one, none when
// minimised or unchanged.
std::optional<SizeChange> sizeChange(const FrameContext& frame, HWND dialog, WPARAM wParam, LPARAM lParam);
// Moves or stretches every direct child about the split point (screen
// coordinates), then repaints the dialog.
void shiftChildren(HWND dialog, POINT split, SizeChange change);
// WM_GETMINMAXINFO: the minimum tracking size, given in dialog units.
void setMinimumTrackingSize(LPARAM minMaxInfo, int widthDlu, int heightDlu);

// The owner's big class icon on the dialog's class.
void takeOwnersIcon(HWND dialog);

// Installs procedure on control, keeping the old one in "OrgWndProc".
void subclassControl(HWND control, WNDPROC procedure);
// Calls the procedure kept in "OrgWndProc".
LRESULT forwardToOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Control helpers.
void enableControl(HWND dialog, int id, bool on);
RECT controlScreenRect(HWND dialog, int id);
int focusedControlId();
void focusControl(HWND dialog, int id);
std::string controlText(HWND dialog, int id, std::size_t bufferSize = 260);
void setControlText(HWND dialog, int id, const std::string& text);
bool isChecked(HWND dialog, int id);
void setChecked(HWND dialog, int id, bool on);
// A spin control (id = edit + 1000) buddied to the edit, 0..maximum.
void createSpin(HWND dialog, int editId, int maximum);
// The "매" marker: each of the date fields whose text is exactly "0".
void markEveryFields(HWND dialog, std::initializer_list<int> ids);

}  // namespace airvane
