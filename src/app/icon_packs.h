#pragma once
#include <string_view>

#include "foreground/foreground_tracker.h"
#include "resources/icon_pack_list.h"

namespace kv {

class AppSingletons;

// The program's icon packs: every Icons\*.pni header is read once at start-up; a pack's icons are
// read when the keyboard first needs them (the last strip read is left in the data folder as the
// cache file). Foreground tracking asks here for the pack of the application in front.
class IconPacks final : public IApplicationIconSource {
public:
    IconPacks(AppSingletons& app, IIconImageDecoder& decoder);
    IconPacks(const IconPacks&) = delete;
    IconPacks& operator=(const IconPacks&) = delete;

    const TKvIcons* ForApplication(std::u16string_view exeName, std::u16string_view windowClass) override {
        return list_.FindPackForApplication(exeName, windowClass);
    }
    const TKvIcons* Named(std::u16string_view name) override { return list_.FindPack(name, true); }
    // The pack of the shortcuts of this version of Windows; null when there is none.
    const TKvIcons* SystemPack();
    const TKvIconsList& List() const { return list_; }

private:
    AppSingletons& app_;
    TKvIconsList list_;
};

}  // namespace kv
