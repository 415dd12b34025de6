#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The maker's web address in the variant for the interface language: "http://www." becomes
// "http://de." for German (7, 1031) and "http://ru." for Russian (25, 1049), first occurrence only.
std::u16string LocalizeWebAddress(std::u16string_view address, std::int32_t languageId);

}  // namespace kv
