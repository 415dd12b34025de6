#pragma once
#include <string>
#include <string_view>

namespace kv {

class ITextConversion;

// The case functions of the selection, by the language action's sub-kind: 4 upper, 5 lower,
// 6 inverted, 7 sentence case, 8 every word capitalised; other modes leave the text as it is.
// One character at a time with the system's case mapping, so the length never changes.
std::u16string TransformCase(int mode, std::u16string_view text, const ITextConversion& system);

}  // namespace kv
