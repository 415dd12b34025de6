#include "settings/web_address.h"

#include "platform/text.h"

namespace kv {

std::u16string LocalizeWebAddress(std::u16string_view address, std::int32_t languageId) {
    std::u16string_view replacement;
    if (languageId == 7 || languageId == 1031) replacement = u"http://de.";
    if (languageId == 25 || languageId == 1049) replacement = u"http://ru.";
    if (replacement.empty()) return std::u16string(address);
    return ReplaceFirst(std::u16string(address), u"http://www.", replacement);
}

}  // namespace kv
