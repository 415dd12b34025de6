#include "actions/selection_conversion.h"

#include "actions/case_transform.h"
#include "actions/text_conversion.h"
#include "clipboard/clipboard_monitor.h"
#include "clipboard/clipboard_stream.h"
#include "common/synthetic_input.h"
#include "keyboard/typing_run.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

namespace {

constexpr int kConvertLayout = 1;

// Puts the monitor, the model's drawing and the typed-key buffer back on every way out.
class SelectionBracket {
public:
    SelectionBracket(TKvClipboardMonitor& monitor, TKvKeyboard& model, TypingRun& typed)
        : monitor_(monitor), model_(model), typed_(typed) {}
    ~SelectionBracket() {
        monitor_.SetChangeHandlingEnabled(true);
        model_.SetDrawEnabled(true);
        typed_.ResetTypedBuffer();
    }
    SelectionBracket(const SelectionBracket&) = delete;
    SelectionBracket& operator=(const SelectionBracket&) = delete;

private:
    TKvClipboardMonitor& monitor_;
    TKvKeyboard& model_;
    TypingRun& typed_;
};

}  // namespace

bool SelectionConversion::ProcessSelection(int mode) {
    // The user's clipboard is emptied only with a snapshot that brings it back.
    if (!s_.monitor.SaveUserClipboard()) return false;
    s_.model.SetDrawEnabled(false);
    s_.monitor.SetChangeHandlingEnabled(false);
    SelectionBracket bracket(s_.monitor, s_.model, s_.typed);

    if (!s_.clipboard.EmptyClipboard()) {
        // Still the user's content, or the converted text a pending restore replaces.
        s_.monitor.ScheduleRestore();
        return false;
    }
    bool replaced = false;
    try {
        replaced = CutTransformPaste(mode, s_.clipboard.SequenceNumber());
    } catch (...) {
        // The user's clipboard comes back even when the conversion fails half way.
        s_.monitor.ScheduleRestore();
        throw;
    }
    s_.monitor.ScheduleRestore();
    s_.model.RestoreHeldKeys(true);
    return replaced;
}

bool SelectionConversion::CutTransformPaste(int mode, std::uint32_t emptiedSequence) {
    // The user's keys are let go first, so the application sees a plain Ctrl+X.
    s_.model.RememberHeldKeys();
    s_.keys.SendEscapeRelease();
    s_.model.ReleaseHeldKeys();
    s_.keys.SendEscapeRelease();

    if (!s_.target.TargetStillInFront()) return false;
    s_.keys.SendCtrlX();
    const std::u16string text = s_.monitor.WaitForCutText(emptiedSequence);
    if (text.empty()) return false;

    const std::u16string result = Transform(mode, text);
    s_.monitor.SetClipboardChanged(false);
    s_.clipboard.CopyTextToClipboard(result);
    s_.monitor.WaitForClipboardChange();
    // The waits let messages run; pasting into another window would put the text where the
    // user never selected it.
    if (!s_.target.TargetStillInFront()) return false;
    s_.monitor.PasteIntoForeground();
    return true;
}

std::u16string SelectionConversion::Transform(int mode, const std::u16string& text) {
    if (mode == kConvertLayout) return ConvertText(text, s_.model, s_.switcher, s_.layouts);
    return TransformCase(mode, text, s_.text);
}

}  // namespace kv
