// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Resource ids. Dialogs, menus, bitmaps, strings and commands have fixed
// numbers, which the tables in this folder and the pages' handlers use.

// Dialogs
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_DESIGN_PAGE = 102;
inline constexpr int IDD_PREVIEW = 137;
inline constexpr int IDD_SLIDESHOW_PAGE = 139;
inline constexpr int IDD_TIP = 141;

// Icon, bitmaps, menus, accelerators
inline constexpr int IDR_MAINFRAME = 128; // the program's icon
inline constexpr int IDR_TRAY_MENU = 129;
inline constexpr int IDR_PHOTO_MENU = 133;
inline constexpr int IDR_BACKGROUND_MENU = 134;
inline constexpr int IDR_ACCELERATOR = 138;
inline constexpr int IDR_MAIN_MENU = 140;
inline constexpr int IDB_TAB_IMAGES = 144;
inline constexpr int IDB_LIGHTBULB = 1037;
// Keys of the main window (Open, Save, Undo, Redo); a free number.
inline constexpr int IDR_MAIN_ACCELERATOR = 190;

// Strings
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_TIP_FILE_ERROR = 103;
inline constexpr int IDS_DID_YOU_KNOW = 106;

// Standard buttons
inline constexpr int IDC_OK = 1;
inline constexpr int IDC_CANCEL = 2;

// Design page controls
inline constexpr int IDC_FOLDER_TREE = 1000;
inline constexpr int IDC_PHOTO_PREVIEW = 1002;
inline constexpr int IDC_DESIGN_CANVAS = 1003;
inline constexpr int IDC_CHANGE_BACKGROUND = 1005;
inline constexpr int IDC_SET_AS_WALLPAPER = 1006;
inline constexpr int IDC_PREVIEW = 1007;
inline constexpr int IDC_SAVE_AS_JPG = 1008;
inline constexpr int IDC_PHOTO_WIDTH = 1009;
inline constexpr int IDC_PHOTO_HEIGHT = 1010;
inline constexpr int IDC_PHOTO_TYPE = 1011;
inline constexpr int IDC_PHOTO_LIST = 1014;
inline constexpr int IDC_BACKGROUND_WIDTH = 1024;
inline constexpr int IDC_BACKGROUND_HEIGHT = 1025;

// Slide-show page controls
inline constexpr int IDC_SLIDE_LIST = 1027;
inline constexpr int IDC_MOVE_UP = 1028;
inline constexpr int IDC_ADD_TO_LIST = 1029;
inline constexpr int IDC_MOVE_DOWN = 1030;
inline constexpr int IDC_SHOW_TYPE = 1031;
inline constexpr int IDC_SET_WALLPAPER = 1032;
inline constexpr int IDC_REMOVE = 1033;
inline constexpr int IDC_PLAY_STOP = 1034;
inline constexpr int IDC_FREQUENCY_SLIDER = 1035;
inline constexpr int IDC_FREQUENCY_EDIT = 1036;
inline constexpr int IDC_FREQUENCY_UNITS = 1037;
inline constexpr int IDC_SAVE_LIST = 1038;
inline constexpr int IDC_OPEN_LIST = 1039;
inline constexpr int IDC_REMOVE_ALL = 1040;
inline constexpr int IDC_FILE_LIST = 1042;
inline constexpr int IDC_FOLDER_EDIT = 1043;
inline constexpr int IDC_BROWSE_FOLDER = 1044;
inline constexpr int IDC_SLIDE_PREVIEW = 1045;
inline constexpr int IDC_RANDOM = 1046;

// Tip of the Day controls
inline constexpr int IDC_BULB = 1037;
inline constexpr int IDC_TIP_TEXT = 1038;
inline constexpr int IDC_STARTUP = 1039;
inline constexpr int IDC_NEXT_TIP = 1040;
inline constexpr int IDC_TIP_AREA = 1041;

// Commands
inline constexpr int ID_TRAY_CONFIGURE = 32774;
inline constexpr int ID_TRAY_ABOUT = 32775;
inline constexpr int ID_TRAY_EXIT = 32777;
inline constexpr int ID_CHANGE_BACKGROUND = 32778;
inline constexpr int ID_ADD_PHOTO = 32779;
inline constexpr int ID_DELETE_PHOTO = 32781;
inline constexpr int ID_CHANGE_PHOTO_IMAGE = 32782;
inline constexpr int ID_RESTORE_RATIO = 32784;
inline constexpr int ID_DELETE_KEY = 32785;
inline constexpr int ID_IGNORE_ESCAPE = 32787;
inline constexpr int ID_FILE_OPEN = 32789;
inline constexpr int ID_FILE_SAVE = 32790;
inline constexpr int ID_APP_ABOUT = 32791;
inline constexpr int ID_SHOW_TIP = 32793;
inline constexpr int ID_MIRROR = 32795;
inline constexpr int ID_FLIP = 32796;
inline constexpr int ID_QUIT = 32797;
inline constexpr int ID_GRAY_SCALE = 32798;
inline constexpr int ID_NEGATIVE = 32799;
inline constexpr int ID_ROTATE_LEFT = 32800;
inline constexpr int ID_ROTATE_RIGHT = 32801;
// Our own: the File menu's login entry (quilvane --restore at login).
inline constexpr int ID_RESTORE_AT_LOGIN = 32840;
// The design's history, numbered apart from the commands above.
inline constexpr int ID_EDIT_UNDO = 32900;
inline constexpr int ID_EDIT_REDO = 32901;

// Private window messages
inline constexpr int WM_TRAY_NOTIFY = 0x0400 + 1;  // WM_USER + 1
inline constexpr int WM_HIDE_TO_TRAY = 0x0400 + 3; // WM_USER + 3
