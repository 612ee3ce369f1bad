#include "dialogs/preferences_win32.h"

#include "dialogs/dialog_forms.h"
#include "resources/resource.h"
#include "storage/config_file.h"
#include "storage/text.h"

namespace airvane {

namespace {

struct PreferencesData {
    const FrameContext& frame;
    Settings& settings;
};

struct SwitchField {
    int id;
    bool PreferencesForm::*on;
};
constexpr SwitchField kSwitches[] = {
    {IDC_PR_DIS_DRAG_DROP, &PreferencesForm::disDragDrop},
    {IDC_PR_DISP_NOW_PLAY, &PreferencesForm::dispNowPlayFile},
    {IDC_PR_MAKE_LOG, &PreferencesForm::makeLogFile},
    {IDC_PR_SHOUTCAST_TITLE, &PreferencesForm::setShoutcastTitle},
    {IDC_PR_KEEP_ON_AIR, &PreferencesForm::keepOnAir},
    {IDC_PR_FILL_GAPS, &PreferencesForm::fillGaps},
};

// The two encodings a now-playing file can have, the setting's chosen.
void fillEncodings(HWND dialog, const std::string& chosen) {
    HWND box = GetDlgItem(dialog, IDC_PR_NOW_PLAYING_ENCODING);
    for (const std::string_view name : {kUtf8Encoding, kCp949Encoding}) {
        const std::string text(name);
        const LRESULT at = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (text == chosen) SendMessageA(box, CB_SETCURSEL, at, 0);
    }
}

INT_PTR CALLBACK preferencesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = dialogData<PreferencesData>(dialog, message, lParam);
    if (!data) return FALSE;
    frameHandler(data->frame, dialog, message, wParam, false);
    switch (message) {
        case WM_INITDIALOG: {
            takeOwnersIcon(dialog);
            const PreferencesForm form = preferencesFormFrom(data->settings);
            for (const SwitchField& field : kSwitches) setChecked(dialog, field.id, form.*field.on);
            setControlText(dialog, IDC_PR_ADJ_REAL_TIME, form.adjRealTimeSec);
            setControlText(dialog, IDC_PR_FADEOUT_TIME, form.fadeoutTime);
            setControlText(dialog, IDC_PR_SOFT_WAIT, form.softWaitSec);
            setControlText(dialog, IDC_PR_ALERT_COMMAND, form.alertCommand);
            setControlText(dialog, IDC_PR_NOW_PLAYING_FILE, form.nowPlayingFile);
            setControlText(dialog, IDC_PR_NOW_PLAYING_FORMAT, form.nowPlayingFormat);
            setControlText(dialog, IDC_PR_STATUS_PORT, form.statusPort);
            setControlText(dialog, IDC_PR_STATUS_ADDRESS, form.statusAddress);
            setControlText(dialog, IDC_PR_FALLBACK_PLAYLIST, form.fallbackPlaylist);
            setControlText(dialog, IDC_PR_FALLBACK_AFTER, form.fallbackAfterSec);
            fillEncodings(dialog, form.nowPlayingEncoding);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                PreferencesForm form;
                for (const SwitchField& field : kSwitches) form.*field.on = isChecked(dialog, field.id);
                form.adjRealTimeSec = controlText(dialog, IDC_PR_ADJ_REAL_TIME, 32);
                form.fadeoutTime = controlText(dialog, IDC_PR_FADEOUT_TIME, 32);
                form.softWaitSec = controlText(dialog, IDC_PR_SOFT_WAIT, 32);
                form.alertCommand = controlText(dialog, IDC_PR_ALERT_COMMAND, kAlertCommandMax);
                form.nowPlayingFile = controlText(dialog, IDC_PR_NOW_PLAYING_FILE, kPathMax + 1);
                form.nowPlayingFormat = controlText(dialog, IDC_PR_NOW_PLAYING_FORMAT, kNowPlayingFormatMax);
                form.nowPlayingEncoding = controlText(dialog, IDC_PR_NOW_PLAYING_ENCODING, 16);
                form.statusPort = controlText(dialog, IDC_PR_STATUS_PORT, 32);
                form.statusAddress = controlText(dialog, IDC_PR_STATUS_ADDRESS, kAddressMax);
                form.fallbackPlaylist = controlText(dialog, IDC_PR_FALLBACK_PLAYLIST, kPathMax + 1);
                form.fallbackAfterSec = controlText(dialog, IDC_PR_FALLBACK_AFTER, 32);
                applyPreferences(form, data->settings, *data->frame.config);
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR editPreferences(HWND owner, const FrameContext& frame, Settings& settings) {
    PreferencesData data{frame, settings};
    return runModalDialog(owner, IDD_PREFERENCES, preferencesProc, data);
}

}  // namespace airvane
