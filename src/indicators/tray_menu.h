#pragma once
#include <array>
#include <cstdint>

namespace kv {

// The items of the tray menu, top to bottom; the numbers are the menu command ids.
enum class TrayItem : int {
    Active = 1,
    SoundEnabled,
    FloatingWindowKb,
    FloatingWindowLang,
    ShowMainKeyboard,
    ShowClipboardManager,
    ShowTemplatesManager,
    Sepr1,
    ActionSetup,
    OpenActionFile,
    RecordMacro,
    Sepr2,
    Sepr3,
    Settings,
    Sepr4,
    AddInfo,
    Help,
    WWW,
    Mail,
    Forum,
    RequestFeature,
    ReportBug,
    CheckNewVersion,
    About,
    Sepr5,
    Close,
};

struct TrayItemInfo {
    TrayItem item;
    std::int32_t text;  // language-table number; 0 for separators
    int image;          // ilMain index, -1 none
    bool hidden;        // exists, localised and enabled, but this product never shows it
    bool inAddInfo;     // an item of the additional-information submenu
    bool lockedByAccess;
};

inline constexpr int kTrayItemCount = 26;

// pmiActive's caption and image follow the system's state; its row holds the "on" values.
inline constexpr std::array<TrayItemInfo, kTrayItemCount> kTrayItems{{
    {TrayItem::Active, 29, 8, false, false, true},
    {TrayItem::SoundEnabled, 567, -1, false, false, true},
    {TrayItem::FloatingWindowKb, 582, -1, true, false, true},
    {TrayItem::FloatingWindowLang, 588, -1, false, false, true},
    {TrayItem::ShowMainKeyboard, 36, -1, true, false, true},
    {TrayItem::ShowClipboardManager, 328, -1, true, false, true},
    {TrayItem::ShowTemplatesManager, 331, -1, true, false, true},
    {TrayItem::Sepr1, 0, -1, true, false, false},
    {TrayItem::ActionSetup, 24, 37, true, false, true},
    {TrayItem::OpenActionFile, 315, 21, true, false, true},
    {TrayItem::RecordMacro, 632, 51, true, false, true},
    {TrayItem::Sepr2, 0, -1, false, false, false},
    {TrayItem::Sepr3, 0, -1, true, false, false},
    {TrayItem::Settings, 316, 5, false, false, true},
    {TrayItem::Sepr4, 0, -1, false, false, false},
    {TrayItem::AddInfo, 104, 2, false, false, false},
    {TrayItem::Help, 406, 2, false, true, false},
    {TrayItem::WWW, 318, 3, false, true, false},
    {TrayItem::Mail, 319, 4, false, true, false},
    {TrayItem::Forum, 553, 52, false, true, false},
    {TrayItem::RequestFeature, 552, 52, false, true, false},
    {TrayItem::ReportBug, 302, 41, false, true, false},
    {TrayItem::CheckNewVersion, 321, 1, false, true, false},
    {TrayItem::About, 322, 45, false, false, false},
    {TrayItem::Sepr5, 0, -1, false, false, false},
    {TrayItem::Close, 323, 16, false, false, true},
}};

}  // namespace kv
