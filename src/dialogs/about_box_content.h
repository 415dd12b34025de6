#pragma once
// What the about box shows and where its three links lead, decided from the language table, the
// interface language and the version resource, so the window only places it. The web address is
// the maker's site in the variant of the interface language, shown and opened alike.
#include <cstdint>
#include <string>

namespace kv {

class TKvLang;

struct AboutBoxInputs {
    std::u16string makerHost;      // ends with a slash
    std::u16string supportMail;
    std::int32_t language = 1033;  // the `Language` setting
    std::u16string productVersion; // empty without a version resource
    std::u16string fileVersion;
};

struct AboutBoxContent {
    std::u16string caption;      // text 322, %1 = the product name
    std::u16string name;         // the product name and its version
    std::u16string build;        // "Build: " and the file version
    std::u16string makerLines[2];
    std::u16string webAddress;   // shown and opened
    std::u16string mail;         // shown
    std::u16string mailUrl;      // mailto: with the product and version as subject
    std::u16string familyText;   // text 561, %1 = the product name
    std::u16string familyUrl;    // the family page, in the language's variant
    std::u16string checkForUpdates;  // text 321
    std::u16string close;            // text 105
};

AboutBoxContent BuildAboutBoxContent(const TKvLang& lang, const AboutBoxInputs& inputs);

}  // namespace kv
