#pragma once
#include <string_view>

#include "platform/types.h"

namespace kv {

class IMessageBoxes;
class ITextTable;

// The program's message boxes: captions come from the language table (texts 9 to 12).
class KvMessageBoxes {
public:
    KvMessageBoxes(IMessageBoxes& boxes, const ITextTable& lang) : boxes_(boxes), lang_(lang) {}

    // The application window owns the boxes once it exists.
    void SetOwner(WindowHandle owner) { owner_ = owner; }

    void ShowError(std::u16string_view text);
    void ShowWarning(std::u16string_view text);
    void ShowInformation(std::u16string_view text);
    bool AskConfirm(std::u16string_view text);
    int AskYesNoCancel(std::u16string_view text);
    int AskSaveChanges();

private:
    IMessageBoxes& boxes_;
    const ITextTable& lang_;
    WindowHandle owner_ = kNoWindow;
};

}  // namespace kv
