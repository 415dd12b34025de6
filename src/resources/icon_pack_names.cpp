#include "resources/icon_pack_names.h"

namespace kv {

namespace {

enum class PackGeneration { Windows2000, WindowsXP, WindowsVista };

PackGeneration GenerationOf(const OsVersion& version) {
    if (version.major == 5 && version.minor == 0) return PackGeneration::Windows2000;
    if (version.major == 5 && (version.minor == 1 || version.minor == 2)) return PackGeneration::WindowsXP;
    return PackGeneration::WindowsVista;
}

}  // namespace

std::u16string_view DesktopPackName(const OsVersion& version) {
    switch (GenerationOf(version)) {
        case PackGeneration::Windows2000: return u"Desktop2000";
        case PackGeneration::WindowsXP: return u"DesktopXP";
        case PackGeneration::WindowsVista: break;
    }
    return u"DesktopVista";
}

std::u16string_view WindowsPackName(const OsVersion& version) {
    switch (GenerationOf(version)) {
        case PackGeneration::Windows2000: return u"Win2000";
        case PackGeneration::WindowsXP: return u"WinXP";
        case PackGeneration::WindowsVista: break;
    }
    return u"WinVista";
}

}  // namespace kv
