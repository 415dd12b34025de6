#include "indicators/key_repeat_timing.h"

#include <charconv>
#include <optional>
#include <string>

#include "platform/registry_api.h"

namespace kv {

namespace {

constexpr std::int32_t kDefaultDelay = 1;
constexpr std::int32_t kDefaultSpeed = 31;

std::optional<std::int32_t> ReadNumberString(const IRegistryKey& key, std::u16string_view name) {
    const std::optional<RegistryValue> value = key.ReadValue(name);
    if (!value || value->type != RegistryType::String) return std::nullopt;
    std::string digits;
    for (char16_t c : value->text) {
        if (c > 0x7F) return std::nullopt;
        digits.push_back(static_cast<char>(c));
    }
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

}  // namespace

KeyRepeatTiming RepeatTimingFrom(std::int32_t keyboardDelay, std::int32_t keyboardSpeed) {
    // Values outside the control panel's ranges would give a zero or negative period.
    if (keyboardDelay < 0 || keyboardDelay > 3) keyboardDelay = kDefaultDelay;
    if (keyboardSpeed < 0 || keyboardSpeed > 31) keyboardSpeed = kDefaultSpeed;
    const double speed = keyboardSpeed == 0 ? 1.0 : keyboardSpeed;
    KeyRepeatTiming timing;
    timing.delayMs = static_cast<std::uint32_t>((keyboardDelay + 1) * 250);
    timing.intervalMs = static_cast<std::uint32_t>(3000.0 / (15.0 / speed + 4.0 * speed));
    return timing;
}

KeyRepeatTiming ReadKeyRepeatTiming(IRegistry& registry) {
    std::int32_t delay = kDefaultDelay;
    std::int32_t speed = kDefaultSpeed;
    try {
        const std::unique_ptr<IRegistryKey> key = registry.OpenCurrentUserKey(u"Control Panel\\Keyboard");
        if (key) {
            delay = ReadNumberString(*key, u"KeyboardDelay").value_or(kDefaultDelay);
            speed = ReadNumberString(*key, u"KeyboardSpeed").value_or(kDefaultSpeed);
        }
    } catch (...) {
        // The user's keyboard settings are a nicety; the defaults serve as well.
    }
    return RepeatTimingFrom(delay, speed);
}

}  // namespace kv
