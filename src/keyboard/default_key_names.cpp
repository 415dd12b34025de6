#include "keyboard/default_key_names.h"

namespace kv {

namespace {

using Names = std::array<std::u16string_view, 256>;

struct Named {
    std::uint8_t vk;
    std::u16string_view name;
};

constexpr Named kNamedKeys[] = {
    {1, u"LBUTTON"}, {2, u"RBUTTON"}, {3, u"Break"}, {4, u"MBUTTON"}, {5, u"XBUTTON1"}, {6, u"XBUTTON2"},
    {8, u"Back"}, {9, u"Tab"}, {12, u"Clear"}, {13, u"Enter"}, {16, u"Shift"}, {17, u"Ctrl"}, {18, u"Alt"},
    {19, u"Pause"}, {20, u"Caps"}, {21, u"KANA"}, {23, u"JUNJA"}, {24, u"FINAL"}, {25, u"HANJA"}, {27, u"Esc"},
    {28, u"CONVERT"}, {29, u"NONCONVERT"}, {30, u"ACCEPT"}, {31, u"MODECHANGE"}, {32, u"Space"}, {33, u"PgUp"},
    {34, u"PgDn"}, {35, u"End"}, {36, u"Home"}, {37, u"Left"}, {38, u"Up"}, {39, u"Right"}, {40, u"Down"},
    {41, u"SELECT"}, {42, u"PRINT"}, {43, u"EXECUTE"}, {44, u"PrtScr"}, {45, u"Ins"}, {46, u"Del"}, {47, u"HELP"},
    {91, u"Win"}, {92, u"RWin"}, {93, u"Apps"}, {95, u"Sleep"}, {106, u"Nm *"}, {107, u"Nm +"}, {108, u"Sepr."},
    {109, u"Nm -"}, {110, u"Nm ."}, {111, u"Nm /"}, {144, u"NumLock"}, {145, u"ScrollLock"}, {146, u"NEC_EQUAL"},
    {147, u"FJ_JISHO"}, {148, u"FJ_MASSHOU"}, {149, u"FJ_TOUROKU"}, {150, u"FJ_LOYA"}, {151, u"FJ_ROYA"},
    {160, u"Shift"}, {161, u"Shift"}, {162, u"Ctrl"}, {163, u"Ctrl"}, {164, u"Alt"}, {165, u"AltGr"},
    {166, u"BROWSER_BACK"}, {167, u"BROWSER_FORWARD"}, {168, u"BROWSER_REFRESH"}, {169, u"BROWSER_STOP"},
    {170, u"BROWSER_SEARCH"}, {171, u"BROWSER_FAVORITES"}, {172, u"BROWSER_HOME"}, {173, u"VOLUME_MUTE"},
    {174, u"VOLUME_DOWN"}, {175, u"VOLUME_UP"}, {176, u"MEDIA_NEXT_TRACK"}, {177, u"MEDIA_PREV_TRACK"},
    {178, u"MEDIA_STOP"}, {179, u"MEDIA_PLAY_PAUSE"}, {180, u"LAUNCH_MAIL"}, {181, u"LAUNCH_MEDIA_SELECT"},
    {182, u"LAUNCH_APP1"}, {183, u"LAUNCH_APP2"}, {186, u":"}, {187, u"+"}, {188, u","}, {189, u"-"}, {190, u"."},
    {191, u"?"}, {192, u"~"}, {219, u"{"}, {220, u"\\"}, {221, u"}"}, {222, u"\""}, {223, u"8"}, {226, u"\\"},
    {229, u"PROCESSKEY"}, {231, u"PACKET"}, {233, u"RESET"}, {234, u"JUMP"}, {235, u"PA1"}, {236, u"PA2"},
    {237, u"PA3"}, {238, u"WSCTRL"}, {239, u"CUSEL"}, {240, u"ATTN"}, {241, u"FINNISH"}, {242, u"COPY"},
    {243, u"AUTO"}, {244, u"ENLW"}, {245, u"BACKTAB"}, {246, u"ATTN"}, {247, u"CRSEL"}, {248, u"EXSEL"},
    {249, u"EREOF"}, {250, u"PLAY"}, {251, u"ZOOM"}, {252, u"NONAME"}, {253, u"PA1"}, {254, u"CLEAR"},
};

constexpr std::u16string_view kFunctionKeys[] = {
    u"F1",  u"F2",  u"F3",  u"F4",  u"F5",  u"F6",  u"F7",  u"F8",  u"F9",  u"F10", u"F11", u"F12",
    u"F13", u"F14", u"F15", u"F16", u"F17", u"F18", u"F19", u"F20", u"F21", u"F22", u"F23", u"F24",
};

constexpr std::u16string_view kNumpadDigits[] = {
    u"Nm 0", u"Nm 1", u"Nm 2", u"Nm 3", u"Nm 4", u"Nm 5", u"Nm 6", u"Nm 7", u"Nm 8", u"Nm 9",
};

constexpr Names MakeDefaultKeyNames() {
    Names names{};
    constexpr std::u16string_view digits = u"0123456789";
    constexpr std::u16string_view letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::size_t i = 0; i < digits.size(); ++i) names[48 + i] = digits.substr(i, 1);
    for (std::size_t i = 0; i < letters.size(); ++i) names[65 + i] = letters.substr(i, 1);
    for (std::size_t i = 0; i < std::size(kFunctionKeys); ++i) names[112 + i] = kFunctionKeys[i];
    for (std::size_t i = 0; i < std::size(kNumpadDigits); ++i) names[96 + i] = kNumpadDigits[i];
    for (const Named& key : kNamedKeys) names[key.vk] = key.name;
    return names;
}

constexpr Names kDefaultKeyNames = MakeDefaultKeyNames();

}  // namespace

const Names& DefaultKeyNames() { return kDefaultKeyNames; }

}  // namespace kv
