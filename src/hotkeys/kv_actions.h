#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "hotkeys/action_mailbox.h"
#include "hotkeys/kv_action.h"

namespace kv {

class ActionKindCatalogue;

// Told whenever the set of actions changes, so the tray rebuilds its actions menu.
class IActionListObserver {
public:
    virtual ~IActionListObserver() = default;
    virtual void ActionsChanged() = 0;
};

// Every action of the program, sorted by key code and then modifier byte, at most one per
// hotkey, with a per-key index so that the keyboard hook finds a hotkey's action by one index
// lookup and a scan of that key's few actions.
class TKvActions {
public:
    // KeyIndex entry of a key without actions; also the most actions the list holds, because
    // positions are kept in 16 bits.
    static constexpr std::uint16_t kNoPosition = 65500;
    static constexpr std::size_t kMaxActions = kNoPosition;

    struct KeyRange {
        std::uint16_t First = kNoPosition;
        std::uint16_t Last = kNoPosition;
        friend bool operator==(const KeyRange&, const KeyRange&) = default;
    };

    // An action freed while it waits or runs in `mailbox` is withdrawn from it; the mailbox must
    // outlive the list.
    explicit TKvActions(ActionMailbox& mailbox);
    ~TKvActions();
    TKvActions(const TKvActions&) = delete;
    TKvActions& operator=(const TKvActions&) = delete;

    // Null detaches.
    void SetObserver(IActionListObserver* observer) { observer_ = observer; }

    std::size_t Count() const { return items_.size(); }
    const TKvAction& Item(std::size_t position) const { return *items_[position]; }
    const KeyRange& KeyIndex(std::uint8_t key) const { return keyIndex_[key]; }

    // Frees every action; a queued one is withdrawn first and the sorted list is released.
    void Clear();
    // The action of this hotkey, created (kind 0, no parameters) when missing. Null for key 0
    // without modifiers, which is no hotkey, and when the list is full.
    TKvAction* AddAction(std::uint8_t key, std::uint16_t mods);
    // Frees the action of exactly this hotkey, if any; a queued one is withdrawn first and it
    // leaves the sorted list.
    void DeleteAction(std::uint8_t key, std::uint16_t mods);
    // Among the actions of the key, in ascending modifier order, the first whose modifier byte
    // is `modsA` or `modsB`.
    const TKvAction* FindAction(std::uint8_t key, std::uint16_t modsA, std::uint16_t modsB) const noexcept;
    const TKvAction* FindByKind(ActionKind kind, std::uint8_t subKind) const;

    // The action of a key with the modifiers held, both as left/right bits (`sided`) and as the
    // side-less set (`any`); null when none. Asked by the keyboard hook: allocates nothing.
    const TKvAction* MatchHotkey(std::uint8_t key, std::uint16_t sided, std::uint16_t any) const noexcept;

    // Display order for the actions menu: by the kind's catalogue position, then by sub-kind,
    // equal actions in list order.
    void SortForDisplay(const ActionKindCatalogue& kinds);
    void ReleaseSorted() { sorted_.clear(); }
    const std::vector<const TKvAction*>& Sorted() const { return sorted_; }

    void RebuildIndex();

private:
    std::size_t InsertPosition(std::uint8_t key, std::uint16_t mods) const;
    // Takes a doomed action out of the queue, so the executor never runs a freed one.
    void Withdraw(const TKvAction* action);
    void NotifyChanged();

    ActionMailbox& mailbox_;
    IActionListObserver* observer_ = nullptr;
    std::array<KeyRange, 256> keyIndex_{};
    std::vector<std::unique_ptr<TKvAction>> items_;
    std::vector<const TKvAction*> sorted_;
};

}  // namespace kv
