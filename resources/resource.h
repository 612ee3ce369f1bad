// Resource ids, one range per kind: commands 101-122, controls from 100,
// tooltip strings = command + 400.
#pragma once

// Templates, menus, icons and bitmaps.
#define IDD_MAIN 1
#define IDD_SCHEDULE_EDITOR 2
#define IDD_LOADING_MANAGER 3
#define IDD_LOADING_EDITOR 4
#define IDD_PREFERENCES 5
#define IDM_MAIN 1
#define IDI_AIRVANE 1
#define IDB_TREE_ROOT 1      // tree images: index = node kind
#define IDB_TREE_SCHEDULE 2
#define IDB_TREE_FILE 3
#define IDB_TOOLBAR 4          // 16 images of 16 x 16

// Controls of the main window.
#define IDC_SCHEDULE_TREE 100
#define IDC_STATUS_LINE 110
#define IDC_TOOLBAR 116
#define IDC_FRAME_KEY 996     // in every dialog: its key in "DlgPos"
#define IDC_SIZE_GRIP 994

// Schedule editor (template 2).
#define IDC_SE_START_HOUR 100
#define IDC_SE_START_MINUTE 101
#define IDC_SE_START_SECOND 102
#define IDC_SE_END_HOUR 103
#define IDC_SE_END_MINUTE 104
#define IDC_SE_END_SECOND 105
#define IDC_SE_TITLE 106
#define IDC_SE_NO_END 107
#define IDC_SE_YEAR 108
#define IDC_SE_MONTH 109
#define IDC_SE_DAY 110
#define IDC_SE_SHUFFLE 111
#define IDC_SE_REPEAT 112
#define IDC_SE_NO_FADE 113
#define IDC_SE_SOFT_START 114
#define IDC_SE_SUNDAY 117     // 117..123: Sunday..Saturday

// Loading-schedule manager (template 3).
#define IDC_LM_LIST 100
#define IDC_LM_ADD 101
#define IDC_LM_DELETE 102
#define IDC_LM_EDIT 103

// Loading-schedule editor (template 4).
#define IDC_LE_YEAR 100
#define IDC_LE_MONTH 101
#define IDC_LE_DAY 102
#define IDC_LE_HOUR 103
#define IDC_LE_MINUTE 104
#define IDC_LE_SECOND 105
#define IDC_LE_JOB_FILE 106
#define IDC_LE_BROWSE 107
#define IDC_LE_SUNDAY 108     // 108..114: Sunday..Saturday

// Preferences (template 5).
#define IDC_PR_DIS_DRAG_DROP 101
#define IDC_PR_ADJ_REAL_TIME 102
#define IDC_PR_FADEOUT_TIME 103
#define IDC_PR_DISP_NOW_PLAY 104
#define IDC_PR_MAKE_LOG 105
#define IDC_PR_SHOUTCAST_TITLE 107
#define IDC_PR_KEEP_ON_AIR 108
#define IDC_PR_ALERT_COMMAND 109
#define IDC_PR_NOW_PLAYING_FILE 110
#define IDC_PR_NOW_PLAYING_FORMAT 111
#define IDC_PR_NOW_PLAYING_ENCODING 112
#define IDC_PR_STATUS_PORT 113
#define IDC_PR_STATUS_ADDRESS 114
#define IDC_PR_SOFT_WAIT 115
#define IDC_PR_FALLBACK_PLAYLIST 116
#define IDC_PR_FALLBACK_AFTER 117
#define IDC_PR_FILL_GAPS 118

#define SPIN_ID_OFFSET 1000   // a spin control's id: its edit's id + 1000

// Commands.
#define CMD_OK 1
#define CMD_CANCEL 2
#define CMD_PREFERENCES 101
#define CMD_EXIT 102
#define CMD_RUN_WINAMP 103
#define CMD_PLAY 104
#define CMD_STOP 105
#define CMD_ADD 106
#define CMD_DELETE 107
#define CMD_EDIT 108
#define CMD_SAVE 109
#define CMD_OPEN_SCHEDULE 113
#define CMD_SAVE_AS 114
#define CMD_LOADING_SCHEDULES 115
#define CMD_FIND_SONG 117
#define CMD_SHOW_LOG 118
#define CMD_TAG_EDITOR 119
#define CMD_XTRACK 120
#define CMD_CLOCK 121
#define CMD_TOGGLE_SCHEDULER 122

#define TOOLTIP_STRING_OFFSET 400
