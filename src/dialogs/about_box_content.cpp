#include "dialogs/about_box_content.h"

#include "common/product.h"
#include "resources/kv_lang.h"
#include "settings/web_address.h"

namespace kv {

AboutBoxContent BuildAboutBoxContent(const TKvLang& lang, const AboutBoxInputs& in) {
    const std::u16string product(kProductName);
    AboutBoxContent c;
    c.caption = TKvLang::FormatText(lang.GetText(322, u"About %1"), {product});
    c.name = product + u" " + in.productVersion;
    c.build = u"Build: " + in.fileVersion;
    c.makerLines[0] = u"Made by the " + product + u" team.";
    c.makerLines[1] = u"Keyboard tools for people who write in more than one language.";
    c.webAddress = LocalizeWebAddress(in.makerHost, in.language);
    c.mail = in.supportMail;
    c.mailUrl = u"mailto:" + in.supportMail + u"?subject=" + product + u" " + in.productVersion;
    c.familyText = TKvLang::FormatText(lang.GetText(561, u"%1 is part of a family of programs."), {product});
    c.familyUrl = LocalizeWebAddress(in.makerHost + u"hotkey-manager.html", in.language);
    c.checkForUpdates = lang.GetText(321, u"Check for Updates");
    c.close = lang.GetText(105, u"Close");
    return c;
}

}  // namespace kv
