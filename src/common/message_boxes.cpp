#include "common/message_boxes.h"

#include "common/text_table.h"
#include "platform/system_api.h"
#include "platform/win_constants.h"

namespace kv {

void KvMessageBoxes::ShowError(std::u16string_view text) {
    boxes_.Show(owner_, text, lang_.GetText(9, u"Error"), win::kMbOk | win::kMbIconError);
}

void KvMessageBoxes::ShowWarning(std::u16string_view text) {
    boxes_.Show(owner_, text, lang_.GetText(10, u"Warning"), win::kMbOk | win::kMbIconExclamation);
}

void KvMessageBoxes::ShowInformation(std::u16string_view text) {
    boxes_.Show(owner_, text, lang_.GetText(11, u"Information"), win::kMbOk | win::kMbIconInformation);
}

bool KvMessageBoxes::AskConfirm(std::u16string_view text) {
    return boxes_.Show(owner_, text, lang_.GetText(12, u"Confirm"), win::kMbYesNo | win::kMbIconQuestion) ==
           win::kIdYes;
}

int KvMessageBoxes::AskYesNoCancel(std::u16string_view text) {
    return boxes_.Show(owner_, text, lang_.GetText(12, u"Confirm"), win::kMbYesNoCancel | win::kMbIconQuestion);
}

int KvMessageBoxes::AskSaveChanges() {
    return AskYesNoCancel(lang_.GetText(16, u"Save changes?"));
}

}  // namespace kv
