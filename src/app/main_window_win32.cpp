#include "app/main_window_win32.h"

#include "app/app_state.h"
#include "model/tree_images_win32.h"
#include "resources/resource.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"

namespace airvane {

namespace {

AppState& stateOf(HWND window) {
    return *reinterpret_cast<AppState*>(GetWindowLongPtrA(window, DWLP_USER));
}

void checkSchedulerMenu(HWND window, bool on) {
    CheckMenuItem(GetMenu(window), CMD_TOGGLE_SCHEDULER, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

BOOL onInitDialog(HWND window, AppState& state) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.mainWindow = window;
    state.tree = std::make_unique<TreeViewTree>(GetDlgItem(window, IDC_SCHEDULE_TREE));
    state.treeImages = createTreeImages(state.instance);
    state.tree->setTreeImages(state.treeImages);
    checkSchedulerMenu(window, state.schedulerOn);
    WindowMessages messages(window);
    loadSchedule(*state.tree, state.config, &messages);
    state.loadingDirty = false;
    state.scheduleDirty = false;
    freeLoadingList(state.loadingList);
    loadLoadingList(state.loadingList, state.config);
    state.settings = readSettings(state.config);
    return TRUE;
}

void onExit(HWND window, AppState& state) {
    state.tree->freeNodeRecords(kNoNode);
    freeLoadingList(state.loadingList);
    ImageList_Destroy(state.treeImages);
    state.treeImages = nullptr;
    state.modeless.destroyOpen();
    DestroyWindow(window);
}

void onCommand(HWND window, AppState& state, int command) {
    switch (command) {
        case CMD_CANCEL:
            ShowWindow(window, SW_MINIMIZE);
            break;
        case CMD_EXIT:
            onExit(window, state);
            break;
        case CMD_TOGGLE_SCHEDULER:
            state.schedulerOn = !state.schedulerOn;
            checkSchedulerMenu(window, state.schedulerOn);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog(window, *reinterpret_cast<AppState*>(lParam));
        case WM_COMMAND:
            onCommand(window, stateOf(window), LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            PostMessageA(window, WM_COMMAND, CMD_EXIT, 0);
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;  // a dialog-based class needs the dialog's own extra bytes
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_AIRVANE));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

HWND createMainWindow(AppState& state) {
    return CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, mainWindowProc,
                              reinterpret_cast<LPARAM>(&state));
}

}  // namespace airvane
