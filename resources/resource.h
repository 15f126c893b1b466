#pragma once
// Resource ids shared by the resource script and the code.

// Strings: message boxes of the entry.
#define IDS_ONE_INSTANCE_RUNNING 1
#define IDS_ENTRY_CAPTION 2
#define IDS_CLOSE_INSTANCES_MANUALLY 3
#define IDS_INSTANCES_RUNNING 4
#define IDS_CONFIRM_UNINSTALL 6

// Strings: the wizard frame and its finish page.
#define IDS_ACCEPT_AGREEMENT 7
#define IDS_FINISH_BUTTON 8
#define IDS_INSTALLED 9
#define IDS_PRESS_FINISH 10
#define IDS_CONFIRM_CANCEL 11
#define IDS_YES_BUTTON 21
#define IDS_NO_BUTTON 22

// Strings: the install-mode and folder page.
#define IDS_BROWSE_TITLE 12
#define IDS_INVALID_FOLDER 13
#define IDS_OLD_VERSION_FOLDER 14
#define IDS_PREVIOUS_COPY_HINT 19

// Strings: the program group page.
#define IDS_GROUP_TOO_SHORT 23
#define IDS_GROUP_IS_STARTUP 24

// Strings: the setup flow.
#define IDS_OLDER_VERSION 16
#define IDS_SAME_VERSION 17
#define IDS_SETUP_DAMAGED 18

// Strings: the uninstaller.
#define IDS_UNINSTALLED 20

// Strings: shortcut names (file names without ".lnk"); 15 is also the
// product's display name.
#define IDS_PRODUCT_NAME 15
#define IDS_SHORTCUT_HELP 101
#define IDS_SHORTCUT_README 102
#define IDS_SHORTCUT_UNINSTALL 104

// The application title, caption of the framework's message boxes.
#define IDS_APP_TITLE 57344

// Dialog templates: the wizard frame and its five pages.
#define IDD_SETUP 103
#define IDD_AGREEMENT 104
#define IDD_WELCOME 105
#define IDD_FOLDER 106
#define IDD_GROUP 107
#define IDD_START 108

// The artwork: the wizard's picture and the application icon.
#define IDB_SETUP 101
#define IDI_SETUP 102

// Controls. The frame's buttons are 1 (Next), 2 (Cancel) and 3 (Back);
// ids of different pages may repeat.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_BACK 3
#define IDC_PICTURE 1002
#define IDC_VERSION 1003
#define IDC_AGREEMENT 1000
#define IDC_CURRENT_USER 1001
#define IDC_ALL_USERS 1002
#define IDC_BROWSE 1005
#define IDC_HINT 1006
#define IDC_FOLDER 1013
#define IDC_GROUP 1000
#define IDC_AUTOSTART 1008
#define IDC_DESKICON 1009
#define IDC_PLEASE_WAIT 1009
#define IDC_READY 1010
#define IDC_READY_HINT 1011
#define IDC_RUN_AFTER 1012
