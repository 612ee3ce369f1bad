#include "dialogs/schedule_editor_win32.h"

#include "dialogs/dialog_forms.h"
#include "resources/resource.h"
#include "storage/message_box_win32.h"

namespace airvane {

namespace {

struct EditorData {
    const FrameContext& frame;
    ScheduleNode& record;
};

constexpr int kMarkerTimer = 1;

struct NumberField {
    int id;
    int maximum;
    std::string ScheduleForm::*text;
};
constexpr NumberField kNumberFields[] = {
    {IDC_SE_YEAR, 2999, &ScheduleForm::year},
    {IDC_SE_MONTH, 12, &ScheduleForm::month},
    {IDC_SE_DAY, 31, &ScheduleForm::day},
    {IDC_SE_START_HOUR, 23, &ScheduleForm::startHour},
    {IDC_SE_START_MINUTE, 59, &ScheduleForm::startMinute},
    {IDC_SE_START_SECOND, 59, &ScheduleForm::startSecond},
    {IDC_SE_END_HOUR, 23, &ScheduleForm::endHour},
    {IDC_SE_END_MINUTE, 59, &ScheduleForm::endMinute},
    {IDC_SE_END_SECOND, 59, &ScheduleForm::endSecond},
};

struct CheckField {
    int id;
    bool ScheduleForm::*on;
};
constexpr CheckField kCheckFields[] = {
    {IDC_SE_NO_END, &ScheduleForm::noEndTime},
    {IDC_SE_SHUFFLE, &ScheduleForm::shuffle},
    {IDC_SE_REPEAT, &ScheduleForm::repeat},
    {IDC_SE_NO_FADE, &ScheduleForm::noFadeOut},
    {IDC_SE_SOFT_START, &ScheduleForm::softStart},
};

void applyEnableRules(HWND dialog) {
    const bool endTime = !isChecked(dialog, IDC_SE_NO_END);
    for (int id : {IDC_SE_END_HOUR, IDC_SE_END_MINUTE, IDC_SE_END_SECOND}) enableControl(dialog, id, endTime);
    bool everyDay = true;
    for (int i = 0; i < 7; ++i) everyDay &= isChecked(dialog, IDC_SE_SUNDAY + i);
    enableControl(dialog, IDC_SE_DAY, everyDay);
}

void showForm(HWND dialog, const ScheduleForm& form) {
    for (const NumberField& field : kNumberFields) setControlText(dialog, field.id, form.*field.text);
    for (const CheckField& field : kCheckFields) setChecked(dialog, field.id, form.*field.on);
    for (int i = 0; i < 7; ++i) setChecked(dialog, IDC_SE_SUNDAY + i, form.weekdays[i]);
    setControlText(dialog, IDC_SE_TITLE, form.title);
}

ScheduleForm readForm(HWND dialog) {
    ScheduleForm form;
    for (const NumberField& field : kNumberFields) form.*field.text = controlText(dialog, field.id, 32);
    for (const CheckField& field : kCheckFields) form.*field.on = isChecked(dialog, field.id);
    for (int i = 0; i < 7; ++i) form.weekdays[i] = isChecked(dialog, IDC_SE_SUNDAY + i);
    form.title = controlText(dialog, IDC_SE_TITLE, 1024);
    return form;
}

BOOL onInitDialog(HWND dialog, EditorData& data) {
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    SetWindowTextA(dialog, (std::string(caption) + (data.record.editing ? " 수정" : " 추가")).c_str());
    for (const NumberField& field : kNumberFields) createSpin(dialog, field.id, field.maximum);
    showForm(dialog, scheduleFormFrom(data.record));
    applyEnableRules(dialog);
    SetTimer(dialog, kMarkerTimer, 800, nullptr);
    PostMessageA(dialog, WM_TIMER, kMarkerTimer, 0);
    focusControl(dialog, IDC_SE_YEAR);
    return FALSE;  // the focus is set
}

void onConfirm(HWND dialog, EditorData& data) {
    FormError error = applyScheduleForm(readForm(dialog), data.record);
    if (error != FormError::None) {
        showMessage(dialog, formErrorMessage(error), kMsgOk);
        if (error == FormError::NoTitle || error == FormError::TitleTooLong) focusControl(dialog, IDC_SE_TITLE);
        return;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK editorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = dialogData<EditorData>(dialog, message, lParam);
    if (!data) return FALSE;
    frameHandler(data->frame, dialog, message, wParam, false);
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog(dialog, *data);
        case WM_TIMER:
            markEveryFields(dialog, {IDC_SE_YEAR, IDC_SE_MONTH, IDC_SE_DAY});
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDOK) onConfirm(dialog, *data);
            else if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
            else if (id == IDC_SE_NO_END || (id >= IDC_SE_SUNDAY && id < IDC_SE_SUNDAY + 7)) applyEnableRules(dialog);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR editSchedule(HWND owner, const FrameContext& frame, ScheduleNode& record) {
    EditorData data{frame, record};
    return runModalDialog(owner, IDD_SCHEDULE_EDITOR, editorProc, data);
}

}  // namespace airvane
