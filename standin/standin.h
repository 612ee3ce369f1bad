// Resource ids of the stand-in player.
#pragma once

#define IDD_FILE_INFO 1
#define IDD_SHOUTCAST 2
#define IDC_FILE_INFO_PATH 1084
#define IDC_SHOUTCAST_TITLE 1011
#define IDC_SHOUTCAST_AUTO 1012
#define IDC_SHOUTCAST_APPLY 1004
