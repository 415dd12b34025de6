#pragma once
#include "actions/action_executor.h"

namespace kv {

class ClipboardAccess;
class IKeyboardLayouts;
class ITextConversion;
class KeySender;
class LayoutSwitcher;
class TKvClipboardMonitor;
class TKvKeyboard;
class TypingRun;

// Converts the selection of the foreground application through the clipboard: cut, transform,
// paste, and the user's clipboard put back afterwards.
class SelectionConversion : public ISelectionProcessor {
public:
    struct Services {
        TKvClipboardMonitor& monitor;
        ClipboardAccess& clipboard;
        TKvKeyboard& model;
        KeySender& keys;
        LayoutSwitcher& switcher;
        TypingRun& typed;
        IKeyboardLayouts& layouts;
        const ITextConversion& text;
        const IActionTarget& target;
    };

    explicit SelectionConversion(Services services) : s_(services) {}

    // 1 converts the layout, 4..8 change the case; true when text was replaced.
    bool ProcessSelection(int mode) override;

private:
    bool CutTransformPaste(int mode, std::uint32_t emptiedSequence);
    std::u16string Transform(int mode, const std::u16string& text);

    Services s_;
};

}  // namespace kv
