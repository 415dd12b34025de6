#pragma once
#include <cstdint>
#include <string>

namespace kv {

// A hotkey bound to a function of the program. The hotkey is fixed at creation because the
// action list keeps its actions sorted and indexed by it.
class TKvAction {
public:
    TKvAction(std::uint8_t key, std::uint16_t mods) : key_(key), mods_(mods) {}

    std::uint8_t Kind() const { return kind_; }
    std::uint8_t SubKind() const { return subKind_; }
    // For a switch-to-layout action: the target layout handle in signed decimal.
    const std::u16string& Text() const { return text_; }
    // Virtual-key code; 0 for a modifier-only hotkey.
    std::uint8_t Key() const { return key_; }
    // Modifier byte of the hotkey.
    std::uint16_t Mods() const { return mods_; }

    // A different kind starts from a clean parameter set, so no stale sub-kind or text carries
    // over into a kind that reads them differently.
    void SetKind(std::uint8_t kind);
    void SetSubKind(std::uint8_t subKind) { subKind_ = subKind; }
    void SetText(std::u16string text) { text_ = std::move(text); }

private:
    std::uint8_t kind_ = 0;
    std::uint8_t subKind_ = 0;
    std::u16string text_;
    std::uint8_t key_;
    std::uint16_t mods_;
};

}  // namespace kv
