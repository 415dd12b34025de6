#pragma once
#include <string>

namespace kv {

// The keyboard model as option changes reach it: which keyboard it describes and which
// characters its keys show.
class IKeyboardModelPort {
public:
    virtual ~IKeyboardModelPort() = default;
    // Loads the keyboard description of that name and resizes to it.
    virtual void LoadKeyboardDescription(const std::u16string& name) = 0;
    // Rebuilds the characters shown on the keys for the current layout, then repaints.
    virtual void RebuildKeyboardCharacters() = 0;
};

}  // namespace kv
