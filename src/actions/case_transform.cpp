#include "actions/case_transform.h"

#include "platform/system_api.h"

namespace kv {

namespace {

enum CaseMode { kUpper = 4, kLower = 5, kInvert = 6, kSentence = 7, kWords = 8 };

bool EndsSentence(char16_t c) { return c == u'.' || c == u'?' || c == u'!'; }

// A capital after each break; the text's first character counts as following one. Any other
// character that is not a space, a line break included, uses the break up.
std::u16string CapitaliseAfterBreaks(std::u16string_view text, const ITextConversion& system, bool (*isBreak)(char16_t)) {
    std::u16string out(text);
    bool capitalNext = true;
    for (char16_t& c : out) {
        if (capitalNext && c != u' ') {
            c = system.CharToUpper(c);
            capitalNext = false;
        } else {
            c = system.CharToLower(c);
            if (isBreak(c)) capitalNext = true;
        }
    }
    return out;
}

}  // namespace

std::u16string TransformCase(int mode, std::u16string_view text, const ITextConversion& system) {
    std::u16string out(text);
    switch (mode) {
        case kUpper:
            for (char16_t& c : out) c = system.CharToUpper(c);
            break;
        case kLower:
            for (char16_t& c : out) c = system.CharToLower(c);
            break;
        case kInvert:
            for (char16_t& c : out) c = c == system.CharToLower(c) ? system.CharToUpper(c) : system.CharToLower(c);
            break;
        case kSentence:
            return CapitaliseAfterBreaks(text, system, EndsSentence);
        case kWords:
            return CapitaliseAfterBreaks(text, system, [](char16_t c) { return c == u' '; });
        default:
            break;
    }
    return out;
}

}  // namespace kv
