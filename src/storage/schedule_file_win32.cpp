#include "storage/schedule_file_win32.h"

#include <commdlg.h>

#include "resources/resource.h"
#include "storage/config_file.h"
#include "storage/file_dialog_win32.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"
#include "storage/text.h"

namespace airvane {

bool saveScheduleAs(HWND owner, const ScheduleTree& tree, const ConfigFile& config, bool& scheduleDirty) {
    std::string path = config.readProfileTextSized("Config", "JobFile", kPathMax + 1);
    if (!saveFileDialog(owner, path, kPathMax + 1, "저장올 스케쥴 파일을 입력하세요", kScheduleFilter,
                        OFN_OVERWRITEPROMPT)) {
        return false;
    }
    if (!writeScheduleFile(tree, path)) {
        showMessage(owner, "'" + path + "' 파일이 열리지 않습니다", kMsgOk);
        return false;
    }
    scheduleDirty = false;
    return true;
}

bool openSchedule(HWND owner, ScheduleTree& tree, ConfigFile& config) {
    std::string path = config.readProfileTextSized("Config", "JobFile", kPathMax + 1);
    if (!openFileDialog(owner, path, kPathMax + 1, "불러올 스케쥴 파일을 선택하세요", kScheduleFilter, 0)) {
        return false;
    }
    config.writeProfileText("Config", "JobFile", path);
    WindowMessages messages(owner);
    replaceTree(tree, path, &messages);
    return true;
}

bool confirmSave(HWND mainWindow, bool scheduleDirty, bool loadingDirty) {
    if (!scheduleDirty && !loadingDirty) return true;
    switch (showMessage(mainWindow, kSaveChangesPrompt, kMsgYesNoCancel)) {
        case kAnswerCancel:
            return false;
        case kAnswerYes:
            SendMessageA(mainWindow, WM_COMMAND, CMD_SAVE, 0);
            return true;
        default:
            return true;
    }
}

}  // namespace airvane
