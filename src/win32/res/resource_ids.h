// Resource ids of the program's artwork, shared by karmux.rc and the code that loads it.
// Every bitmap strip holds its images side by side; pixels of KV_ART_MASK_COLOUR are transparent.
// The *_LARGE strips are the same images drawn at twice the size, for 200 % scaling.
#pragma once

// Icons. The program icon has the lowest id so that Explorer shows it.
#define IDI_PROGRAM 1
#define IDI_TRAY_ON 2
#define IDI_TRAY_OFF 3

#define KV_ART_MASK_COLOUR 0xFF00FF  // magenta; as a COLORREF too, red and blue being equal

// Strips of 16 x 16 images (32 x 32 large), except form buttons: 12 x 12 (24 x 24 large).
#define IDB_TRAY_ICONS 100
#define IDB_TRAY_ICONS_LARGE 101
#define IDB_MAIN 102
#define IDB_MAIN_LARGE 103
#define IDB_FLAGS 104  // white background, no mask colour; flag in rows 2..12
#define IDB_FLAGS_LARGE 105
#define IDB_KEYS 106
#define IDB_KEYS_LARGE 107
#define IDB_FORM_BUTTONS 108
#define IDB_FORM_BUTTONS_LARGE 109
#define IDB_ACT_PONDREL 110
#define IDB_ACT_PONDREL_LARGE 111
#define IDB_ACT_AUDIO 112
#define IDB_ACT_AUDIO_LARGE 113
#define IDB_ACT_MONITOR 114
#define IDB_ACT_MONITOR_LARGE 115
#define IDB_ACT_WINDOW 116
#define IDB_ACT_WINDOW_LARGE 117
#define IDB_ACT_SYSTEM 118
#define IDB_ACT_SYSTEM_LARGE 119
#define IDB_ACT_LANG 120
#define IDB_ACT_LANG_LARGE 121
#define IDB_ACT_SHUTDOWN 122
#define IDB_ACT_SHUTDOWN_LARGE 123
// Drawn by art/wizard_about.py: the wizard's step pictures (ilProcess) and its banner; the about
// box's logo is the bitmap named "LOGO".
#define IDB_PROCESS 124
#define IDB_PROCESS_LARGE 125
#define IDB_WIZARD_BANNER 126

// Images per strip.
#define KV_TRAY_ICON_COUNT 8  // 6 = on, 7 = off; 0..5 are unused and empty
#define KV_MAIN_IMAGE_COUNT 53  // numbers the menus do not use are empty
#define KV_FLAG_COUNT 41
#define KV_KEY_GLYPH_COUNT 25
#define KV_FORM_BUTTON_COUNT 3  // 0 close, 1 pinned (auto-hide off), 2 unpinned (auto-hide on)
#define KV_ACT_PONDREL_COUNT 8
#define KV_ACT_AUDIO_COUNT 4
#define KV_ACT_MONITOR_COUNT 4
#define KV_ACT_WINDOW_COUNT 5
#define KV_ACT_SYSTEM_COUNT 7
#define KV_ACT_LANG_COUNT 9
#define KV_ACT_SHUTDOWN_COUNT 7
#define KV_PROCESS_COUNT 3  // 0 not visited, 1 selected, 2 left
