// Resource ids, one range per kind: commands 101-122, controls from 100,
// tooltip strings = command + 400.
#pragma once

// Templates, menus, icons and bitmaps.
#define IDD_MAIN 1
#define IDM_MAIN 1
#define IDI_AIRVANE 1
#define IDB_TREE_ROOT 1      // tree images: index = node kind
#define IDB_TREE_SCHEDULE 2
#define IDB_TREE_FILE 3

// Controls of the main window.
#define IDC_SCHEDULE_TREE 100
#define IDC_STATUS_LINE 110
#define IDC_TOOLBAR 116
#define IDC_FRAME_KEY 996

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
