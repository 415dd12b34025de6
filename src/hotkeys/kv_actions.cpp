#include "hotkeys/kv_actions.h"

#include <algorithm>
#include <utility>

#include "hotkeys/action_kinds.h"

namespace kv {

TKvActions::TKvActions(ActionMailbox& mailbox) : mailbox_(mailbox) { Clear(); }

TKvActions::~TKvActions() {
    // The executor must not run an action freed with the list.
    for (const auto& item : items_) Withdraw(item.get());
}

void TKvActions::Clear() {
    for (const auto& item : items_) Withdraw(item.get());
    ReleaseSorted();
    items_.clear();
    RebuildIndex();
    NotifyChanged();
}

std::size_t TKvActions::InsertPosition(std::uint8_t key, std::uint16_t mods) const {
    const auto before = [](const std::unique_ptr<TKvAction>& item, std::pair<std::uint8_t, std::uint16_t> hotkey) {
        return item->Key() != hotkey.first ? item->Key() < hotkey.first : item->Mods() < hotkey.second;
    };
    return static_cast<std::size_t>(
        std::lower_bound(items_.begin(), items_.end(), std::pair{key, mods}, before) - items_.begin());
}

TKvAction* TKvActions::AddAction(std::uint8_t key, std::uint16_t mods) {
    if (key == 0 && mods == 0) return nullptr;
    const std::size_t position = InsertPosition(key, mods);
    TKvAction* result = nullptr;
    if (position < items_.size() && items_[position]->Key() == key && items_[position]->Mods() == mods) {
        result = items_[position].get();
    } else {
        if (items_.size() >= kMaxActions) return nullptr;
        auto created = std::make_unique<TKvAction>(key, mods);
        result = created.get();
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(position), std::move(created));
    }
    NotifyChanged();
    RebuildIndex();
    return result;
}

void TKvActions::DeleteAction(std::uint8_t key, std::uint16_t mods) {
    const std::size_t position = InsertPosition(key, mods);
    if (position >= items_.size() || items_[position]->Key() != key || items_[position]->Mods() != mods) return;
    const TKvAction* doomed = items_[position].get();
    Withdraw(doomed);
    sorted_.erase(std::remove(sorted_.begin(), sorted_.end(), doomed), sorted_.end());
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
    RebuildIndex();
    NotifyChanged();
}

const TKvAction* TKvActions::FindAction(std::uint8_t key, std::uint16_t modsA, std::uint16_t modsB) const noexcept {
    const KeyRange& range = keyIndex_[key];
    if (range.First == kNoPosition) return nullptr;
    // The key's actions ascend by modifier byte: past the larger of the two nothing can match.
    const std::uint16_t highest = std::max(modsA, modsB);
    for (std::size_t position = range.First; position <= range.Last; ++position) {
        const TKvAction& action = *items_[position];
        if (action.Mods() == modsA || action.Mods() == modsB) return &action;
        if (action.Mods() > highest) break;
    }
    return nullptr;
}

const TKvAction* TKvActions::FindByKind(ActionKind kind, std::uint8_t subKind) const {
    for (const auto& item : items_) {
        if (item->Kind() == kind && item->SubKind() == subKind) return item.get();
    }
    return nullptr;
}

const TKvAction* TKvActions::MatchHotkey(std::uint8_t key, std::uint16_t sided, std::uint16_t any) const noexcept {
    return FindAction(key, sided, any);
}

void TKvActions::SortForDisplay(const ActionKindCatalogue& kinds) {
    sorted_.clear();
    for (const auto& item : items_) sorted_.push_back(item.get());
    const auto before = [&kinds](const TKvAction* a, const TKvAction* b) {
        const int kindA = kinds.KindIndex(a->Kind()), kindB = kinds.KindIndex(b->Kind());
        return kindA != kindB ? kindA < kindB : a->SubKind() < b->SubKind();
    };
    // A selection sort with swaps, not a stable sort: equal actions end up in the order the
    // menu has always shown them in.
    for (std::size_t position = 0; position < sorted_.size(); ++position) {
        std::size_t smallest = position;
        for (std::size_t candidate = position + 1; candidate < sorted_.size(); ++candidate) {
            if (before(sorted_[candidate], sorted_[smallest])) smallest = candidate;
        }
        std::swap(sorted_[position], sorted_[smallest]);
    }
}

void TKvActions::RebuildIndex() {
    keyIndex_.fill(KeyRange{});
    for (std::size_t position = 0; position < items_.size(); ++position) {
        KeyRange& range = keyIndex_[items_[position]->Key()];
        if (range.First == kNoPosition) range.First = static_cast<std::uint16_t>(position);
        range.Last = static_cast<std::uint16_t>(position);
    }
}

void TKvActions::Withdraw(const TKvAction* action) {
    mailbox_.Withdraw(action);
}

void TKvActions::NotifyChanged() {
    if (observer_) observer_->ActionsChanged();
}

}  // namespace kv
