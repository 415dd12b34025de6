#include "resources/icon_pack_list.h"

#include "common/char_upper.h"
#include "platform/files_api.h"
#include "platform/paths.h"

namespace kv {

namespace {

// ANSI code pages hold Latin, Greek and Cyrillic letters, the blocks UpperCaseLetter knows.
bool EqualsIgnoringAnsiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperCaseLetter(a[i]) != UpperCaseLetter(b[i])) return false;
    }
    return true;
}

bool IsForApplication(const TKvIcons& pack, std::u16string_view exeName, std::u16string_view windowClass) {
    // A pack that names neither is reached only by its name.
    if (pack.ExeName().empty() && pack.WindowClass().empty()) return false;
    if (!pack.ExeName().empty() && !EqualsIgnoringAnsiCase(pack.ExeName(), exeName)) return false;
    return pack.WindowClass().empty() || pack.WindowClass() == windowClass;
}

}  // namespace

std::u16string IconFolder(std::u16string_view appFolder) { return JoinPath(appFolder, u"Icons\\"); }

void TKvIconsList::ScanPacks() {
    packs_.clear();
    for (const std::u16string& fileName : env_.files.ListFiles(env_.iconFolder, kIconPackExtension)) {
        const std::u16string name = fileName.substr(0, fileName.size() - kIconPackExtension.size());
        if (FindPack(name, false)) continue;
        auto pack = std::make_unique<TKvIcons>(env_);
        pack->LoadPack(name, false);
        packs_.push_back(std::move(pack));
    }
}

TKvIcons* TKvIconsList::FindPack(std::u16string_view name, bool load) {
    for (const auto& pack : packs_) {
        if (pack->Name() != name) continue;
        if (load) pack->LoadPack(name, true);
        return pack.get();
    }
    return nullptr;
}

TKvIcons* TKvIconsList::FindPackForApplication(std::u16string_view exeName, std::u16string_view windowClass) {
    for (const auto& pack : packs_) {
        if (!IsForApplication(*pack, exeName, windowClass)) continue;
        pack->LoadPack(pack->Name(), true);
        return pack.get();
    }
    return nullptr;
}

}  // namespace kv
