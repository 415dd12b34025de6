#pragma once

namespace kv {

// The capital form of a letter of the Latin, Greek and Cyrillic blocks (Unicode simple case
// mapping); other characters, and letters without a single capital such as "ß", come back as
// they are. Key labels are single characters of keyboard layouts, so these blocks suffice.
char16_t UpperCaseLetter(char16_t c);

}  // namespace kv
