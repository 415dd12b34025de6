#pragma once
#include "hotkeys/action_kinds.h"
#include "platform/types.h"
#include "theme/kv_theme.h"
#include "theme/menu_style.h"

namespace kv {

class AppSingletons;

// The data module: shared state of the running system (tray, menus, image lists grow here).
class TDataDM {
public:
    explicit TDataDM(AppSingletons& app) : app_(app) {}

    void DataModuleCreate();
    // Again on every system setting change and whenever a theme setting changes.
    void ApplyColorScheme();
    const TKvTheme& Theme() const { return theme_; }
    // With the current language's texts; again whenever the language changes.
    void BuildActionKinds();
    const ActionKindCatalogue& ActionKinds() const { return kinds_; }
    MenuStyle PopupMenuStyle() const { return menuStyle_; }
    // Tells the companion process to end.
    void DataModuleDestroy(WindowHandle companionWindow);

private:
    AppSingletons& app_;
    TKvTheme theme_;
    ActionKindCatalogue kinds_;
    MenuStyle menuStyle_ = MenuStyle::Standard;
};

}  // namespace kv
