#include "dialogs/loading_dialogs_win32.h"

#include <commdlg.h>

#include "dialogs/dialog_forms.h"
#include "resources/resource.h"
#include "storage/file_dialog_win32.h"
#include "storage/message_box_win32.h"
#include "storage/text.h"

namespace airvane {

namespace {

// ---- editor ---------------------------------------------------------------

struct EditorData {
    const FrameContext& frame;
    LoadingList& list;
    LoadingEntry* entry;
};

struct NumberField {
    int id;
    int maximum;
    std::string LoadingForm::*text;
};
constexpr NumberField kNumberFields[] = {
    {IDC_LE_YEAR, 9999, &LoadingForm::year},     {IDC_LE_MONTH, 12, &LoadingForm::month},
    {IDC_LE_DAY, 31, &LoadingForm::day},         {IDC_LE_HOUR, 23, &LoadingForm::hour},
    {IDC_LE_MINUTE, 59, &LoadingForm::minute},   {IDC_LE_SECOND, 59, &LoadingForm::second},
};

void applyDayRule(HWND dialog) {
    bool everyDay = true;
    for (int i = 0; i < 7; ++i) everyDay &= isChecked(dialog, IDC_LE_SUNDAY + i);
    enableControl(dialog, IDC_LE_DAY, everyDay);
}

BOOL onEditorInit(HWND dialog, EditorData& data) {
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    SetWindowTextA(dialog, (std::string(caption) + (data.entry ? " 수정" : " 추가")).c_str());
    for (const NumberField& field : kNumberFields) createSpin(dialog, field.id, field.maximum);
    LoadingForm form;
    if (data.entry) {
        form = loadingFormFrom(*data.entry);
    } else {
        SYSTEMTIME now;
        GetLocalTime(&now);
        form = newLoadingForm({now.wYear, now.wMonth, now.wDay, now.wHour});
    }
    for (const NumberField& field : kNumberFields) setControlText(dialog, field.id, form.*field.text);
    for (int i = 0; i < 7; ++i) setChecked(dialog, IDC_LE_SUNDAY + i, form.weekdays[i]);
    setControlText(dialog, IDC_LE_JOB_FILE, form.jobFile);
    SetTimer(dialog, 1, 800, nullptr);
    applyDayRule(dialog);
    return TRUE;
}

void onEditorConfirm(HWND dialog, EditorData& data) {
    LoadingForm form;
    for (const NumberField& field : kNumberFields) form.*field.text = controlText(dialog, field.id, 32);
    for (int i = 0; i < 7; ++i) form.weekdays[i] = isChecked(dialog, IDC_LE_SUNDAY + i);
    form.jobFile = controlText(dialog, IDC_LE_JOB_FILE, kPathMax + 1);
    if (FormError error = checkLoadingForm(form); error != FormError::None) {
        showMessage(dialog, formErrorMessage(error), kMsgOk);
        return;
    }
    LoadingEntry& target = data.entry ? *data.entry : appendLoadingEntry(data.list);
    applyLoadingForm(form, target);
    EndDialog(dialog, IDOK);
}

void onBrowse(HWND dialog) {
    std::string path;
    if (openFileDialog(dialog, path, kPathMax + 1, "스케쥴 파일명을 입력하세요", kScheduleFilter, 0)) {
        setControlText(dialog, IDC_LE_JOB_FILE, path);
    }
}

INT_PTR CALLBACK editorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = dialogData<EditorData>(dialog, message, lParam);
    if (!data) return FALSE;
    frameHandler(data->frame, dialog, message, wParam, false);
    switch (message) {
        case WM_INITDIALOG:
            return onEditorInit(dialog, *data);
        case WM_TIMER:
            markEveryFields(dialog, {IDC_LE_YEAR, IDC_LE_MONTH, IDC_LE_DAY});
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDOK) onEditorConfirm(dialog, *data);
            else if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
            else if (id == IDC_LE_BROWSE) onBrowse(dialog);
            else if (id >= IDC_LE_SUNDAY && id < IDC_LE_SUNDAY + 7) applyDayRule(dialog);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// ---- manager --------------------------------------------------------------

struct ManagerData {
    const FrameContext& frame;
    LoadingList& list;
    bool& loadingDirty;
};

void fillList(HWND dialog, const LoadingList& list) {
    HWND box = GetDlgItem(dialog, IDC_LM_LIST);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    for (const LoadingEntry& entry : list) {
        const std::string line = loadingListLine(entry);
        LRESULT index = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (index >= 0) SendMessageA(box, LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(&entry));
    }
}

LoadingEntry* selectedEntry(HWND dialog) {
    HWND box = GetDlgItem(dialog, IDC_LM_LIST);
    LRESULT index = SendMessageA(box, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return nullptr;
    return reinterpret_cast<LoadingEntry*>(SendMessageA(box, LB_GETITEMDATA, index, 0));
}

// Insert adds and Delete deletes; the list box never sees those keys.
LRESULT CALLBACK listKeys(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && (wParam == VK_INSERT || wParam == VK_DELETE)) {
        PostMessageA(GetParent(box), WM_COMMAND, wParam == VK_INSERT ? IDC_LM_ADD : IDC_LM_DELETE, 0);
        return 0;
    }
    return forwardToOriginal(box, message, wParam, lParam);
}

void changed(HWND dialog, ManagerData& data) {
    fillList(dialog, data.list);
    data.loadingDirty = true;
}

void onManagerCommand(HWND dialog, ManagerData& data, int id) {
    switch (id) {
        case IDOK:
            if (focusedControlId() == IDC_LM_LIST) PostMessageA(dialog, WM_COMMAND, IDC_LM_EDIT, 0);
            else EndDialog(dialog, IDOK);
            break;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            break;
        case IDC_LM_ADD:
            if (editLoadingSchedule(dialog, data.frame, data.list, nullptr) == IDOK) changed(dialog, data);
            break;
        case IDC_LM_DELETE:
            if (LoadingEntry* entry = selectedEntry(dialog)) {
                if (showMessage(dialog, "선택한 스케줄을 삭제할까요?", kMsgOkCancel) == kAnswerOk) {
                    removeLoadingEntry(data.list, entry);
                    changed(dialog, data);
                }
            } else {
                showMessage(dialog, "삭제할 스케줄을 선택하세요", kMsgOk);
            }
            break;
        case IDC_LM_EDIT:
            if (LoadingEntry* entry = selectedEntry(dialog)) {
                if (editLoadingSchedule(dialog, data.frame, data.list, entry) == IDOK) changed(dialog, data);
            } else {
                showMessage(dialog, "수정할 스케줄을 선택하세요", kMsgOk);
            }
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK managerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = dialogData<ManagerData>(dialog, message, lParam);
    if (!data) return FALSE;
    frameHandler(data->frame, dialog, message, wParam, true);
    switch (message) {
        case WM_INITDIALOG:
            takeOwnersIcon(dialog);
            subclassControl(GetDlgItem(dialog, IDC_LM_LIST), listKeys);
            fillList(dialog, data->list);
            return TRUE;
        case WM_SIZE:
            if (auto change = sizeChange(data->frame, dialog, wParam, lParam)) {
                RECT list = controlScreenRect(dialog, IDC_LM_LIST);
                RECT edit = controlScreenRect(dialog, IDC_LM_EDIT);
                shiftChildren(dialog, {list.right - 2, edit.bottom + 1}, *change);
            }
            return FALSE;
        case WM_GETMINMAXINFO:
            setMinimumTrackingSize(lParam, 130, 76);
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_LM_LIST) {
                if (HIWORD(wParam) == LBN_DBLCLK) PostMessageA(dialog, WM_COMMAND, IDC_LM_EDIT, 0);
            } else {
                onManagerCommand(dialog, *data, LOWORD(wParam));
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR editLoadingSchedule(HWND owner, const FrameContext& frame, LoadingList& list, LoadingEntry* entry) {
    EditorData data{frame, list, entry};
    return runModalDialog(owner, IDD_LOADING_EDITOR, editorProc, data);
}

INT_PTR manageLoadingSchedules(HWND owner, const FrameContext& frame, LoadingList& list, bool& loadingDirty) {
    ManagerData data{frame, list, loadingDirty};
    return runModalDialog(owner, IDD_LOADING_MANAGER, managerProc, data);
}

}  // namespace airvane
