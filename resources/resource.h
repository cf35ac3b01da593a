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

// Dialog controls (resources/dialogs.rc)
#define IDC_BTN_CLOSE             1001
#define IDC_BTN_RESTORE           1002
#define IDC_BTN_MIN               1003
#define IDC_BTN_FULLSCREEN        1004
#define IDC_BTN_BOSS              1005
#define IDC_BTN_SERVER            1007
#define IDC_BTN_MAX               1008
#define IDC_BTN_UNUSED_1011       1011
#define IDC_BTN_UNUSED_1017       1017
#define IDC_BTN_REFRESH           1021
#define IDC_BTN_CLEAR_CACHE       1030
#define IDC_STATIC_UNUSED_1031    1031

// Skin: images, icons, bitmaps (resources/images.rc). PNG images are of type "PNG".
#define IDI_MAIN_ICON             180
#define IDI_TRAY_ICON             273
#define IDB_LOGIN_POPUP           318

#define IDP_CAPTION_MID           172
#define IDP_CAPTION_LEFT          203
#define IDP_CAPTION_RIGHT         206
#define IDP_CLOSE_NORMAL          207
#define IDP_CLOSE_HOVER           208
#define IDP_CLOSE_PRESSED         227
#define IDP_MAX_NORMAL            220
#define IDP_MAX_HOVER             213
#define IDP_MAX_PRESSED           228
#define IDP_RESTORE_NORMAL        221
#define IDP_RESTORE_HOVER         217
#define IDP_RESTORE_PRESSED       229
#define IDP_MIN_NORMAL            209
#define IDP_MIN_HOVER             210
#define IDP_MIN_PRESSED           230
#define IDP_SERVER_NORMAL         211
#define IDP_SERVER_HOVER          212
#define IDP_SERVER_PRESSED        231
#define IDP_BOSS_NORMAL           223
#define IDP_BOSS_HOVER            215
#define IDP_BOSS_PRESSED          233
#define IDP_FULLSCREEN_NORMAL     224
#define IDP_FULLSCREEN_HOVER      214
#define IDP_FULLSCREEN_PRESSED    234
#define IDP_REFRESH_NORMAL        226
#define IDP_REFRESH_HOVER         219
#define IDP_REFRESH_PRESSED       236
#define IDP_CLEARCACHE_NORMAL     252
#define IDP_CLEARCACHE_HOVER      253
#define IDP_CLEARCACHE_PRESSED    261
#define IDP_OVERLAY_TINT          275
#define IDP_SPINNER_1             276
#define IDP_SPINNER_2             277
#define IDP_SPINNER_3             278
#define IDP_SPINNER_4             279
#define IDP_MSGBOX_BACKGROUND     304
#define IDP_MSGBOX_CANCEL_BRIGHT  311
#define IDP_MSGBOX_CANCEL_DARK    312
#define IDP_MSGBOX_OK_BRIGHT      313
#define IDP_MSGBOX_OK_DARK        314
#define IDP_MSGBOX_CLOSE          316
#define IDP_LOGIN_BACKGROUND      319
#define IDP_LOGIN_MIN_NORMAL      320
#define IDP_LOGIN_MIN_HOVER       321
#define IDP_LOGIN_MIN_PRESSED     322
#define IDP_LOGIN_CLOSE_NORMAL    323
#define IDP_LOGIN_CLOSE_HOVER     324
#define IDP_LOGIN_CLOSE_PRESSED   325

// Main window: menu, accelerators, commands (resources/menus.rc)
#define IDR_TRAY_MENU             151
#define IDR_MAIN_ACCELERATOR      303
#define ID_TRAY_TOGGLE            32775
#define ID_TRAY_CLEAR_CACHE       32776
#define ID_TRAY_EXIT              32777
#define ID_ACCEL_F5               32778

// Login window and popup
#define IDC_BTN_LOGIN_MIN         1016
#define IDC_BTN_LOGIN_CLOSE       1027

// Installation: embedded package (resources/package.rc)
#define IDR_PACKAGE               269
