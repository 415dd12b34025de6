#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hotkeys/kv_action.h"

namespace kv {

class TKvLang;

// The image list that holds the pictures of a kind's sub-items; a sub-item's picture index in
// it is the sub-item's number.
enum class ActionImageList : std::uint8_t { None, Pondrel, Audio, Monitor, Window, System, Lang, Shutdown };

struct TKvActionKind {
    std::u16string Name;
    ActionKind Kind = ActionKind::None;
    ActionImageList Images = ActionImageList::None;
    // Names of the kind's sub-items, indexed by an action's sub-kind.
    std::vector<std::u16string> SubItems;
};

// The kinds of action in display order, with localised names.
class ActionKindCatalogue {
public:
    // Empty until filled: no kind is known.
    ActionKindCatalogue();

    const std::vector<TKvActionKind>& Entries() const { return entries_; }
    // Position of the kind in the catalogue; kinds outside it sort after every known one.
    int KindIndex(ActionKind kind) const {
        const auto number = static_cast<std::size_t>(kind);
        return number < kindIndex_.size() ? kindIndex_[number] : kActionKindCount;
    }
    // Null for a kind outside the catalogue.
    const TKvActionKind* Find(ActionKind kind) const;

    void Add(TKvActionKind entry);

private:
    std::vector<TKvActionKind> entries_;
    std::array<int, kActionKindCount> kindIndex_;
};

// The catalogue with the texts of the language now loaded; built again on a language change.
ActionKindCatalogue BuildActionKinds(const TKvLang& lang);

}  // namespace kv
