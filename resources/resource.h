// Resource identifiers of the executable.
#pragma once

// Product texts (string table)
#define IDS_PRODUCT_NAME          102
#define IDS_START_MENU_PUBLISHER  105
#define IDS_WINDOW_TITLE          107
#define IDS_UNINSTALL_SHORTCUT    109
#define IDS_LOGIN_URL             114
#define IDS_CACHE_NOTICE          116
#define IDS_GAME_CODE             117
#define IDS_UPDATE_FILE_NAME      118
#define IDS_PUBLISHER_FOLDER      119
#define IDS_UNINSTALL_COPY        120
#define IDS_DATA_PUBLISHER        124
#define IDS_PUBLISHER             125
#define IDS_VERSION_SERVER        191
#define IDS_VERSION_QUERY         192
#define IDS_SETTINGS_PATH         197

// Dialog templates
#define IDD_LANDER_KV_DIALOG      101
#define IDD_GAMEWND               328
#define IDD_LOGIN                 103
#define IDD_MESSAGEBOX            164
#define IDD_MENBAN                274
#define IDD_LOGIN_POPUP           1015

// Skin: images, icons, bitmaps (resources/images.rc)

// Main window: menu, accelerators, commands (resources/menus.rc)

// Login window and popup

// Installation: embedded package (resources/package.rc)
#define IDR_PACKAGE               269
