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

bool chooseScheduleToOpen(HWND owner, const ConfigFile& config, std::string& path) {
    path = config.readProfileTextSized("Config", "JobFile", kPathMax + 1);
    return openFileDialog(owner, path, kPathMax + 1, "불러올 스케쥴 파일을 선택하세요", kScheduleFilter, 0);
}

bool confirmSave(HWND mainWindow, const bool& scheduleDirty, const bool& loadingDirty) {
    if (!scheduleDirty && !loadingDirty) return true;
    switch (showMessage(mainWindow, kSaveChangesPrompt, kMsgYesNoCancel)) {
        case kAnswerCancel:
            return false;
        case kAnswerYes:
            SendMessageA(mainWindow, WM_COMMAND, CMD_SAVE, 0);
            // A save that failed has said so and left its flag set: the
            // changes would be lost if the caller went on.
            return !scheduleDirty && !loadingDirty;
        default:
            return true;
    }
}

}  // namespace airvane
