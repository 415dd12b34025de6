#include "hotkeys/action_kinds.h"

#include "common/product.h"
#include "resources/kv_lang.h"

namespace kv {

ActionKindCatalogue::ActionKindCatalogue() { kindIndex_.fill(kActionKindCount); }

const TKvActionKind* ActionKindCatalogue::Find(ActionKind kind) const {
    const int position = KindIndex(kind);
    return position < static_cast<int>(entries_.size()) ? &entries_[position] : nullptr;
}

void ActionKindCatalogue::Add(TKvActionKind entry) {
    const auto number = static_cast<std::size_t>(entry.Kind);
    if (number < kindIndex_.size()) kindIndex_[number] = static_cast<int>(entries_.size());
    entries_.push_back(std::move(entry));
}

ActionKindCatalogue BuildActionKinds(const TKvLang& lang) {
    using L = ActionImageList;
    ActionKindCatalogue catalogue;
    catalogue.Add({lang.GetText(6, u"None"), ActionKind::None, L::None, {}});
    catalogue.Add({lang.GetText(201, u"Run Program"), ActionKind::RunProgram, L::None, {}});
    catalogue.Add({lang.GetText(202, u"Open Document or Folder"), ActionKind::OpenDocument, L::None, {}});
    catalogue.Add({lang.GetText(203, u"Open Web Page"), ActionKind::OpenWebPage, L::None, {}});
    catalogue.Add({lang.GetText(205, u"Play Macro"), ActionKind::PlayMacro, L::None, {}});
    catalogue.Add({lang.GetText(605, u"Insert Text"), ActionKind::InsertText, L::None, {}});
    catalogue.Add({TKvLang::FormatText(lang.GetText(213, u"%1 Functions"), {std::u16string(kProductName)}), ActionKind::ProgramFunction, L::Pondrel,
                   {lang.GetText(206, u"Clipboard Manager"), lang.GetText(204, u"Template Manager"),
                    lang.GetText(209, u"Settings"), lang.GetText(210, u"Hotkey Setup"),
                    lang.GetText(233, u"On-Screen Keyboard"), lang.GetText(207, u"Turn On/Off"),
                    lang.GetText(208, u"Exit"), lang.GetText(234, u"Language Panel")}});
    catalogue.Add({lang.GetText(604, u"Volume"), ActionKind::Volume, L::Audio,
                   {lang.GetText(219, u"Volume Up"), lang.GetText(220, u"Volume Down"),
                    lang.GetText(221, u"Mute On/Off"), lang.GetText(607, u"Volume Control")}});
    catalogue.Add({lang.GetText(609, u"Monitor"), ActionKind::Monitor, L::Monitor,
                   {lang.GetText(610, u"Turn Off Monitor"), lang.GetText(611, u"Start Screen Saver"),
                    lang.GetText(612, u"Increase Brightness"), lang.GetText(613, u"Decrease Brightness")}});
    catalogue.Add({lang.GetText(614, u"Window"), ActionKind::Window, L::Window,
                   {lang.GetText(224, u"Minimize Window"), lang.GetText(225, u"Maximize Window"),
                    lang.GetText(229, u"Restore Window"), lang.GetText(230, u"Close Window"),
                    lang.GetText(231, u"Always on Top")}});
    catalogue.Add({lang.GetText(226, u"System"), ActionKind::System, L::System,
                   {lang.GetText(615, u"Show Desktop"), lang.GetText(616, u"Open My Computer"),
                    lang.GetText(617, u"Open Control Panel"), lang.GetText(618, u"Open Task Manager"),
                    lang.GetText(619, u"Open Run Dialog"), lang.GetText(620, u"Search Files"),
                    lang.GetText(621, u"Empty Recycle Bin")}});
    catalogue.Add({lang.GetText(218, u"Keyboard Layout and Case"), ActionKind::LanguageAndCase, L::Lang,
                   {lang.GetText(214, u"Convert Last Typed Text"), lang.GetText(232, u"Convert Selected Text"),
                    lang.GetText(215, u"Switch to Next Layout"), lang.GetText(633, u"Switch to Layout"),
                    lang.GetText(216, u"Selected Text to Upper Case"),
                    lang.GetText(217, u"Selected Text to Lower Case"),
                    lang.GetText(631, u"Invert Case of Selected Text"),
                    lang.GetText(648, u"Selected Text to Sentence Case"),
                    lang.GetText(649, u"Capitalize Each Word of Selected Text")}});
    catalogue.Add({lang.GetText(622, u"Power"), ActionKind::Power, L::Shutdown,
                   {lang.GetText(623, u"Shut Down"), lang.GetText(625, u"Restart"), lang.GetText(626, u"Log Off"),
                    lang.GetText(627, u"Lock Computer"), lang.GetText(628, u"Switch User"),
                    lang.GetText(629, u"Stand By"), lang.GetText(630, u"Hibernate")}});
    catalogue.Add({lang.GetText(227, u"Block Key"), ActionKind::BlockKey, L::None, {}});
    catalogue.Add({lang.GetText(228, u"Replace Key"), ActionKind::ReplaceKey, L::None, {}});
    return catalogue;
}

}  // namespace kv
