#pragma once

namespace kv {

// The program's look: fonts and palette of the colour scheme, and the windows drawn with them.
class IVisualsPort {
public:
    virtual ~IVisualsPort() = default;
    // Fonts and palette again, then the keyboard, its background and the language panel repaint.
    virtual void RefreshVisuals() = 0;
};

}  // namespace kv
