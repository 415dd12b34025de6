// Load and Save share one list of the stored options, so names, types and order cannot drift.
#include <exception>
#include <string>

#include "settings/preset.h"

namespace kv {

namespace {

std::u16string Indexed(std::u16string_view family, int index) {
    const std::string digits = std::to_string(index);
    return std::u16string(family) + std::u16string(digits.begin(), digits.end());
}

// Reads each value with the current one as the default and passes it to the option's setter.
class LoadVisitor {
public:
    explicit LoadVisitor(const TAppIni& ini) : ini_(ini) {}
    template <class Set>
    void Bool(std::u16string_view name, bool current, Set set) {
        set(ini_.ReadBoolDef(name, current));
    }
    template <class Set>
    void Integer(std::u16string_view name, std::int32_t current, Set set) {
        set(ini_.ReadIntegerDef(name, current));
    }
    template <class Set>
    void String(std::u16string_view name, const std::u16string& current, Set set) {
        set(ini_.ReadStringDef(name, current));
    }
    template <class Set>
    void StringEmptyByDefault(std::u16string_view name, const std::u16string&, Set set) {
        set(ini_.ReadStringDef(name, u""));
    }
    // Save deletes the value of a free slot, so a missing value is a free slot: read with the
    // current value as default, a layout disabled since the last save would stay disabled after
    // the settings window discards its edits.
    template <class Set>
    void LayoutSlot(std::u16string_view name, LayoutHandle, Set set) {
        set(static_cast<LayoutHandle>(ini_.ReadIntegerDef(name, 0)));
    }

private:
    const TAppIni& ini_;
};

class SaveVisitor {
public:
    explicit SaveVisitor(TAppIni& ini) : ini_(ini) {}
    template <class Set>
    void Bool(std::u16string_view name, bool current, Set) {
        ini_.WriteBool(name, current);
    }
    template <class Set>
    void Integer(std::u16string_view name, std::int32_t current, Set) {
        ini_.WriteInteger(name, current);
    }
    template <class Set>
    void String(std::u16string_view name, const std::u16string& current, Set) {
        ini_.WriteString(name, current);
    }
    template <class Set>
    void StringEmptyByDefault(std::u16string_view name, const std::u16string& current, Set) {
        ini_.WriteString(name, current);
    }
    // A free slot leaves no value behind.
    template <class Set>
    void LayoutSlot(std::u16string_view name, LayoutHandle current, Set) {
        if (current != 0) {
            ini_.WriteInteger(name, static_cast<std::int32_t>(current));
        } else {
            ini_.DeleteValue(name);
        }
    }

private:
    TAppIni& ini_;
};

}  // namespace

// In the order Load applies them, which matters: the interface language after the tray, the
// keyboard description before auto-hide, the hotkey slots in pairs before the disabled layouts.
template <class Visitor>
void TPreset::VisitStoredOptions(Visitor& v) {
    auto call = [this](auto setter) { return [this, setter](auto value) { (this->*setter)(std::move(value)); }; };

    for (int i = 0; i < kActionFileSlotCount; ++i) {
        v.StringEmptyByDefault(Indexed(u"ActionFileName", i), options_.actionFileNames[i],
                               [this, i](std::u16string path) { SetActionFileNameAt(i, std::move(path)); });
    }
    v.Integer(u"KeyboardLang", static_cast<std::int32_t>(options_.keyboardLang), call(&TPreset::SetKeyboardLang));
    v.String(u"ActionFileName", options_.actionFileName, call(&TPreset::SetActionFileName));
    // Fixed for the run: read (a wrong type still ends the load) but not taken over.
    v.String(u"TemplatesFileName", options_.templatesFileName, [](std::u16string) {});
    v.String(u"TemplatesBreaks", options_.templatesBreaks, call(&TPreset::SetTemplatesBreaks));
    v.Integer(u"KeyboardShowDelay", options_.keyboardShowDelay, call(&TPreset::SetKeyboardShowDelay));
    v.Integer(u"KeyboardHideDelay", options_.keyboardHideDelay, call(&TPreset::SetKeyboardHideDelay));
    v.String(u"KeyboardName", options_.keyboardName, call(&TPreset::SetKeyboardName));
    v.Bool(u"KeyboardAutoHide", options_.keyboardAutoHide, call(&TPreset::SetKeyboardAutoHide));
    v.Bool(u"KeyboardShowShift", options_.keyboardShowShift, call(&TPreset::SetKeyboardShowShift));
    v.Bool(u"KeyboardShowCtrl", options_.keyboardShowCtrl, call(&TPreset::SetKeyboardShowCtrl));
    v.Bool(u"KeyboardShowAlt", options_.keyboardShowAlt, call(&TPreset::SetKeyboardShowAlt));
    v.Bool(u"KeyboardShowWin", options_.keyboardShowWin, call(&TPreset::SetKeyboardShowWin));
    v.Bool(u"KeyboardShowCaption", options_.keyboardShowCaption, call(&TPreset::SetKeyboardShowCaption));
    v.Bool(u"KeyboardShowLabels", options_.keyboardShowLabels, call(&TPreset::SetKeyboardShowLabels));
    v.Bool(u"KeyboardCenterInfo", options_.keyboardCenterInfo, call(&TPreset::SetKeyboardCenterInfo));
    v.Bool(u"ShowKeyboardZone", options_.showKeyboardZone, call(&TPreset::SetShowKeyboardZone));
    v.Bool(u"ShowCharCtrl", options_.showCharCtrl, call(&TPreset::SetShowCharCtrl));
    v.Bool(u"ShowLangIcon", options_.showLangIcon, call(&TPreset::SetShowLangIcon));
    v.Bool(u"ShowCaretFlag", options_.showCaretFlag, call(&TPreset::SetShowCaretFlag));
    v.Bool(u"ShowCaretFlagOnChange", options_.showCaretFlagOnChange, call(&TPreset::SetShowCaretFlagOnChange));
    v.Bool(u"FastCaretFlag", options_.fastCaretFlag, call(&TPreset::SetFastCaretFlag));
    v.Integer(u"CaretFlagAlphaBlend", options_.caretFlagAlphaBlend, call(&TPreset::SetCaretFlagAlphaBlend));
    v.Integer(u"MaxClipboardHistory", options_.maxClipboardHistory, call(&TPreset::SetMaxClipboardHistory));
    v.Bool(u"UniqueClipboard", options_.uniqueClipboard, call(&TPreset::SetUniqueClipboard));
    v.Bool(u"TaskSwitchShowHidden", options_.taskSwitchShowHidden, call(&TPreset::SetTaskSwitchShowHidden));
    v.Bool(u"TaskSwitchSmallIcon", options_.taskSwitchSmallIcon, call(&TPreset::SetTaskSwitchSmallIcon));
    v.Bool(u"UniqueProcessHistory", options_.uniqueProcessHistory, call(&TPreset::SetUniqueProcessHistory));
    v.Bool(u"ShowIconApp", options_.showIconApp, call(&TPreset::SetShowIconApp));
    v.Bool(u"ShowIconPondrel", options_.showIconPondrel, call(&TPreset::SetShowIconPondrel));
    v.Bool(u"ShowIconWindows", options_.showIconWindows, call(&TPreset::SetShowIconWindows));
    v.Bool(u"ShowIconHints", options_.showIconHints, call(&TPreset::SetShowIconHints));
    v.Bool(u"HighPriority", options_.highPriority, call(&TPreset::SetHighPriority));
    v.Bool(u"HideTrayIcon", options_.hideTrayIcon, call(&TPreset::SetHideTrayIcon));
    v.Integer(u"Language", options_.language, call(&TPreset::SetLanguage));
    v.Bool(u"ShowHotkeySquare", options_.showHotkeySquare, call(&TPreset::SetShowHotkeySquare));
    v.Bool(u"UseGestures", options_.useGestures, call(&TPreset::SetUseGestures));
    v.Integer(u"SensitivityGestures", options_.sensitivityGestures, call(&TPreset::SetSensitivityGestures));
    v.Integer(u"SCChangeLang", options_.hotkeys.changeLang, call(&TPreset::SetSCChangeLang));
    v.Integer(u"SCChangeSelectedLang", options_.hotkeys.changeSelectedLang, call(&TPreset::SetSCChangeSelectedLang));
    v.Integer(u"SCSwitchLang", options_.hotkeys.switchLang, call(&TPreset::SetSCSwitchLang));
    v.Integer(u"SCUpperCase", options_.hotkeys.upperCase, call(&TPreset::SetSCUpperCase));
    v.Integer(u"SCLowerCase", options_.hotkeys.lowerCase, call(&TPreset::SetSCLowerCase));
    v.Integer(u"SCInvertCase", options_.hotkeys.invertCase, call(&TPreset::SetSCInvertCase));
    v.Integer(u"SCSentenceCase", options_.hotkeys.sentenceCase, call(&TPreset::SetSCSentenceCase));
    v.Integer(u"SCMixedCase", options_.hotkeys.mixedCase, call(&TPreset::SetSCMixedCase));
    for (int i = 0; i < kLayoutSlotCount; ++i) {
        v.String(Indexed(u"ChangeLangTo", i), options_.hotkeys.changeLangTo[i],
                 [this, i](std::u16string text) { SetChangeLangTo(i, std::move(text)); });
        v.Integer(Indexed(u"SCChangeLangTo", i), options_.hotkeys.changeLangToHotkey[i],
                  [this, i](HotkeyCode code) { SetSCChangeLangTo(i, code); });
    }
    for (int i = 0; i < kLayoutSlotCount; ++i) {
        v.LayoutSlot(Indexed(u"DisabledLang", i), options_.disabledLangs.Slot(i),
                     [this, i](LayoutHandle layout) { SetDisabledLang(i, layout); });
    }
    v.Bool(u"SoundEnabled", sounds_.Enabled(), call(&TPreset::SetSoundEnabled));
    for (int i = 0; i < kSoundEventCount; ++i) {
        v.String(Indexed(u"Sound", i), sounds_.Name(i), [this, i](std::u16string name) { SetSound(i, std::move(name)); });
    }
}

void TPreset::Load() {
    try {
        LoadVisitor visitor(ini_);
        VisitStoredOptions(visitor);
        options_.accessDenied = ini_.ReadBoolDef(u"AccessDenied", false);
        loaded_ = true;
    } catch (const std::exception&) {
        // Ends silently: the values read so far stay applied, the rest keep what they had.
    }
}

void TPreset::Save() {
    if (!loaded_) return;
    SaveVisitor visitor(ini_);
    VisitStoredOptions(visitor);
}

}  // namespace kv
