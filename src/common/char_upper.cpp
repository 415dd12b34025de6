#include "common/char_upper.h"

namespace kv {

namespace {

bool In(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }
bool IsOdd(char16_t c) { return (c & 1) != 0; }

// Latin Extended-A alternates capital and small letter, but the parity flips twice.
char16_t UpperLatinExtendedA(char16_t c) {
    if (c == 0x0131) return u'I';
    if (c == 0x017F) return u'S';
    const bool smallIsOdd = In(c, 0x0100, 0x0137) || In(c, 0x014A, 0x0177);
    const bool smallIsEven = In(c, 0x0139, 0x0148) || In(c, 0x0179, 0x017E);
    if ((smallIsOdd && IsOdd(c)) || (smallIsEven && !IsOdd(c))) return static_cast<char16_t>(c - 1);
    return c;
}

char16_t UpperGreek(char16_t c) {
    switch (c) {
        case 0x03AC: return 0x0386;
        case 0x03C2: return 0x03A3;
        case 0x03CC: return 0x038C;
        case 0x03CD: return 0x038E;
        case 0x03CE: return 0x038F;
        default: break;
    }
    if (In(c, 0x03AD, 0x03AF)) return static_cast<char16_t>(c - 0x25);
    if (In(c, 0x03B1, 0x03CB)) return static_cast<char16_t>(c - 0x20);
    return c;
}

char16_t UpperCyrillic(char16_t c) {
    if (In(c, 0x0430, 0x044F)) return static_cast<char16_t>(c - 0x20);
    if (In(c, 0x0450, 0x045F)) return static_cast<char16_t>(c - 0x50);
    if (c == 0x04CF) return 0x04C0;
    const bool smallIsOdd = In(c, 0x0460, 0x0481) || In(c, 0x048A, 0x04BF) || In(c, 0x04D0, 0x052F);
    const bool smallIsEven = In(c, 0x04C1, 0x04CE);
    if ((smallIsOdd && IsOdd(c)) || (smallIsEven && !IsOdd(c))) return static_cast<char16_t>(c - 1);
    return c;
}

}  // namespace

char16_t UpperCaseLetter(char16_t c) {
    if (In(c, u'a', u'z')) return static_cast<char16_t>(c - 0x20);
    if (c == 0x00B5) return 0x039C;
    if (In(c, 0x00E0, 0x00FE) && c != 0x00F7) return static_cast<char16_t>(c - 0x20);
    if (c == 0x00FF) return 0x0178;
    if (In(c, 0x0100, 0x017F)) return UpperLatinExtendedA(c);
    if (In(c, 0x0370, 0x03FF)) return UpperGreek(c);
    if (In(c, 0x0400, 0x052F)) return UpperCyrillic(c);
    return c;
}

}  // namespace kv
