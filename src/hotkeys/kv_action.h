#pragma once
#include <cstdint>
#include <string>

namespace kv {

// What an action does; the number is what the registry and the action list store.
enum class ActionKind : std::uint8_t {
    None = 0,
    BlockKey = 1,
    ReplaceKey = 2,
    OpenWebPage = 3,
    InsertText = 4,
    RunProgram = 5,
    OpenDocument = 6,
    PlayMacro = 7,
    ProgramFunction = 8,
    LanguageAndCase = 9,
    Window = 10,
    Volume = 11,
    Monitor = 12,
    System = 13,
    Power = 14,
};
constexpr int kActionKindCount = 15;

// The sub-kinds of ActionKind::ProgramFunction.
enum class ProgramFunction : std::uint8_t {
    ClipboardManager = 0,
    TemplateManager = 1,
    Settings = 2,
    HotkeySetup = 3,
    OnScreenKeyboard = 4,
    TurnOnOff = 5,
    Exit = 6,
    LanguagePanel = 7,
};

// A hotkey bound to a function of the program. The hotkey is fixed at creation because the
// action list keeps its actions sorted and indexed by it.
class TKvAction {
public:
    TKvAction(std::uint8_t key, std::uint16_t mods) : key_(key), mods_(mods) {}

    ActionKind Kind() const { return kind_; }
    std::uint8_t SubKind() const { return subKind_; }
    // For a switch-to-layout action: the target layout handle in signed decimal.
    const std::u16string& Text() const { return text_; }
    bool Is(ActionKind kind, std::uint8_t subKind) const { return kind_ == kind && subKind_ == subKind; }
    // Virtual-key code; 0 for a modifier-only hotkey.
    std::uint8_t Key() const { return key_; }
    // Modifier byte of the hotkey.
    std::uint16_t Mods() const { return mods_; }

    // A different kind starts from a clean parameter set, so no stale sub-kind or text carries
    // over into a kind that reads them differently.
    void SetKind(ActionKind kind);
    void SetSubKind(std::uint8_t subKind) { subKind_ = subKind; }
    void SetText(std::u16string text) { text_ = std::move(text); }

private:
    ActionKind kind_ = ActionKind::None;
    std::uint8_t subKind_ = 0;
    std::u16string text_;
    std::uint8_t key_;
    std::uint16_t mods_;
};

}  // namespace kv
