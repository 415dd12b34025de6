#include "sim_case_mapping.h"

#include <array>

#include "common/char_upper.h"

namespace kv::sim {

namespace {

constexpr char16_t kLastMapped = 0x052F;  // the end of the Cyrillic Supplement block
using CaseTable = std::array<char16_t, kLastMapped + 1>;

// Windows' tables go both ways: an upper-case mapping whose capital lowers to another letter
// is left out.
bool CapitalLowersToAnotherLetter(char16_t c) { return c == 0x00B5 || c == 0x0131 || c == 0x017F || c == 0x03C2; }

CaseTable BuildLowerTable() {
    CaseTable lower{};
    for (std::size_t c = 0; c <= kLastMapped; ++c) lower[c] = static_cast<char16_t>(c);
    for (std::size_t c = 0; c <= kLastMapped; ++c) {
        const auto small = static_cast<char16_t>(c);
        const char16_t capital = WindowsUpperCase(small);
        if (capital != small && capital <= kLastMapped) lower[capital] = small;
    }
    return lower;
}

}  // namespace

char16_t WindowsUpperCase(char16_t c) { return CapitalLowersToAnotherLetter(c) ? c : UpperCaseLetter(c); }

char16_t WindowsLowerCase(char16_t c) {
    static const CaseTable lower = BuildLowerTable();
    return c <= kLastMapped ? lower[c] : c;
}

}  // namespace kv::sim
