#include "actions/selection_conversion.h"

#include "actions/case_transform.h"
#include "actions/text_conversion.h"
#include "clipboard/clipboard_monitor.h"
#include "common/clipboard_stream.h"
#include "common/synthetic_input.h"
#include "hook/typed_key_buffer.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

namespace {

constexpr int kConvertLayout = 1;

// Puts the monitor, the model's drawing and the typed-key buffer back on every way out.
class SelectionBracket {
public:
    SelectionBracket(TKvClipboardMonitor& monitor, TKvKeyboard& model, TypedKeyBuffer& typed)
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
    TypedKeyBuffer& typed_;
};

}  // namespace

bool SelectionConversion::ProcessSelection(int mode) {
    const bool hadFormats = s_.clipboard.HasAnyFormat();
    s_.monitor.SaveUserClipboard();
    s_.model.SetDrawEnabled(false);
    s_.monitor.SetChangeHandlingEnabled(false);
    SelectionBracket bracket(s_.monitor, s_.model, s_.typed);

    s_.clipboard.EmptyClipboard();
    bool replaced = false;
    try {
        replaced = CutTransformPaste(mode);
    } catch (...) {
        // The user's clipboard comes back even when the conversion fails half way.
        if (hadFormats) s_.monitor.ScheduleRestore();
        throw;
    }
    if (hadFormats) s_.monitor.ScheduleRestore();
    s_.model.RestoreHeldKeys(true);
    return replaced;
}

bool SelectionConversion::CutTransformPaste(int mode) {
    // The user's keys are let go first, so the application sees a plain Ctrl+X.
    s_.model.RememberHeldKeys();
    s_.keys.SendEscapeRelease();
    s_.model.ReleaseHeldKeys();
    s_.keys.SendEscapeRelease();

    if (!s_.target.TargetStillInFront()) return false;
    s_.monitor.SetClipboardChanged(false);
    s_.keys.SendCtrlX();
    s_.monitor.WaitForClipboardChange();
    const std::u16string text = s_.clipboard.GetClipboardText();
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
