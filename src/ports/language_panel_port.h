#pragma once

#include "platform/keyboard_api.h"

namespace kv {

// The floating language panel, whose buttons show and switch the layouts.
class ILanguagePanelPort {
public:
    virtual ~ILanguagePanelPort() = default;
    virtual void PanelLayoutChanged(LayoutHandle layout) = 0;
    // From the registry's "FLGVisible" unless the panel follows the on-screen keyboard.
    virtual void RestorePanelVisibility() = 0;
    virtual void ClosePanel() = 0;
    // When it exists and is visible: back on top of other top-most windows.
    virtual void RaisePanel() = 0;
    virtual void RepaintPanel() = 0;
};

}  // namespace kv
