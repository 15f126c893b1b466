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
// Shown by an interactive run until the wizard takes over.
#define IDS_INTERACTIVE_NOT_READY 90

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
