#pragma once
#include <algorithm>
#include <array>
#include <cstdint>

namespace kv {

// One key event of a typing run. The position is the US-layout code of the physical key, so the
// run can be replayed on the same keys in another layout.
struct TypedKeyEntry {
    std::uint8_t isUp = 0;
    std::uint8_t extended = 0;
    std::uint8_t position = 0;
};

// The keys typed since the last break in typing, recorded by the keyboard hook and replayed by
// the action executor when it converts the text typed last.
struct TypedKeyBuffer {
    static constexpr std::int32_t kCapacity = 1024;

    std::array<TypedKeyEntry, kCapacity> TypedBuffer{};
    std::int32_t TypedCount = 0;
    // Characters the run left on screen: printable downs add one, Backspace downs take one back.
    std::int32_t TypedChars = 0;
    bool TypedRecording = false;
    // The executor is replaying the run: nothing is recorded and resets are ignored.
    bool TypedBusy = false;

    void ResetTypedBuffer() noexcept {
        if (TypedBusy) return;
        // What was typed (a password, say) does not stay in memory once the run is over.
        std::fill_n(TypedBuffer.begin(), TypedCount, TypedKeyEntry{});
        TypedCount = 0;
        TypedChars = 0;
        TypedRecording = false;
    }
    bool Full() const noexcept { return TypedCount >= kCapacity; }
    // Callers check Full first.
    void Append(bool isUp, bool extended, std::uint8_t position) noexcept {
        TypedBuffer[static_cast<std::size_t>(TypedCount++)] = {std::uint8_t(isUp ? 1 : 0),
                                                               std::uint8_t(extended ? 1 : 0), position};
    }
};

}  // namespace kv
