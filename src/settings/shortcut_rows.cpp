#include "settings/shortcut_rows.h"

#include <cstdio>

#include "platform/system_api.h"
#include "platform/text.h"
#include "settings/layout_slots.h"
#include "settings/preset.h"

namespace kv {

namespace {

// Sub-actions 0..8 of the language action kind; 3 (switch to one layout) has rows of its own.
HotkeyCode NamedHotkey(const TPreset& p, int subAction) {
    switch (subAction) {
        case 0: return p.SCChangeLang();
        case 1: return p.SCChangeSelectedLang();
        case 2: return p.SCSwitchLang();
        case 4: return p.SCUpperCase();
        case 5: return p.SCLowerCase();
        case 6: return p.SCInvertCase();
        case 7: return p.SCSentenceCase();
        case 8: return p.SCMixedCase();
        default: return 0;
    }
}

void SetNamedHotkey(TPreset& p, int subAction, HotkeyCode code) {
    switch (subAction) {
        case 0: p.SetSCChangeLang(code); break;
        case 1: p.SetSCChangeSelectedLang(code); break;
        case 2: p.SetSCSwitchLang(code); break;
        case 4: p.SetSCUpperCase(code); break;
        case 5: p.SetSCLowerCase(code); break;
        case 6: p.SetSCInvertCase(code); break;
        case 7: p.SetSCSentenceCase(code); break;
        case 8: p.SetSCMixedCase(code); break;
        default: break;
    }
}

std::optional<int> SlotNaming(const TPreset& p, LayoutHandle layout) {
    const std::u16string text = LayoutSlotText(layout);
    for (int slot = 0; slot < kLayoutSlotCount; ++slot) {
        if (p.ChangeLangTo(slot) == text) return slot;
    }
    return std::nullopt;
}

std::vector<LayoutHandle> LayoutsOf(const std::vector<ShortcutRow>& rows) {
    std::vector<LayoutHandle> layouts;
    for (const ShortcutRow& row : rows) {
        if (row.image == kDirectSwitchSubAction) layouts.push_back(row.layout);
    }
    return layouts;
}

}  // namespace

std::vector<InstalledLayout> ListInstalledLayouts(const IKeyboardLayouts& layouts, const ILocales& locales) {
    std::vector<InstalledLayout> list;
    for (LayoutHandle handle : layouts.InstalledLayouts()) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(handle));
        list.push_back({handle, locales.LanguageName(static_cast<std::uint16_t>(handle & 0xFFFF)) + u" (" +
                                    Utf8ToUtf16(hex) + u")"});
    }
    return list;
}

std::vector<ShortcutRow> BuildShortcutRows(const std::vector<InstalledLayout>& layouts,
                                           const std::function<std::u16string(int)>& subActionName) {
    std::vector<ShortcutRow> rows;
    if (layouts.empty()) return rows;
    for (int i = 0; i <= 8; ++i) {
        if (i != kDirectSwitchSubAction) rows.push_back({subActionName(i), i, 0});
    }
    for (const InstalledLayout& layout : layouts) {
        rows.push_back({layout.text + u" - " + subActionName(kDirectSwitchSubAction), kDirectSwitchSubAction,
                        layout.handle});
    }
    return rows;
}

std::vector<std::u16string> ShortcutTexts(const TPreset& preset, const std::vector<ShortcutRow>& rows,
                                          const std::function<std::u16string(HotkeyCode)>& hotkeyText,
                                          const std::u16string& noHotkey) {
    std::vector<std::u16string> texts;
    texts.reserve(rows.size());
    for (const ShortcutRow& row : rows) {
        if (row.image != kDirectSwitchSubAction) {
            const HotkeyCode code = NamedHotkey(preset, row.image);
            texts.push_back(code == 0 ? noHotkey : hotkeyText(code));
        } else if (const auto slot = SlotNaming(preset, row.layout)) {
            texts.push_back(hotkeyText(preset.SCChangeLangTo(*slot)));
        } else {
            texts.emplace_back();
        }
    }
    return texts;
}

std::optional<HotkeyCode> PrepareRowHotkey(TPreset& preset, const std::vector<ShortcutRow>& rows,
                                           const ShortcutRow& row) {
    PurgeLayoutSlots(preset, LayoutsOf(rows));
    if (row.image != kDirectSwitchSubAction) return NamedHotkey(preset, row.image);
    const auto slot = FindLayoutSlot(preset, row.layout);
    if (!slot) return std::nullopt;
    return preset.SCChangeLangTo(*slot);
}

void AssignRowHotkey(TPreset& preset, const ShortcutRow& row, HotkeyCode code) {
    if (row.image != kDirectSwitchSubAction) {
        SetNamedHotkey(preset, row.image, code);
        return;
    }
    const auto slot = FindLayoutSlot(preset, row.layout);
    if (!slot) return;
    preset.SetChangeLangTo(*slot, LayoutSlotText(row.layout));
    preset.SetSCChangeLangTo(*slot, code);
}

}  // namespace kv
