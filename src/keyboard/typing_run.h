#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace kv {

class TKvBtn;
class TKvKeyboard;

// One key event of a typing run. The position is the US-layout code of the physical key, so the
// run can be replayed on the same keys in another layout.
struct TypedKeyEntry {
    std::uint8_t isUp = 0;
    std::uint8_t extended = 0;
    std::uint8_t position = 0;
};

// The keys typed since the last break in typing (the typed-key buffer): recorded by the keyboard
// hook, replayed by the executor when it converts the text typed last. Whatever ends a run wipes
// its keys, so a typed password does not stay in memory. Allocates nothing.
class TypingRun {
public:
    static constexpr std::int32_t kCapacity = 1024;

    // The hook saw a key that changed the model, or a repeat that types again.
    void RecordKey(const TKvKeyboard& model, std::uint8_t code, const TKvBtn& key, bool isUp, bool systemKeyUp) noexcept;
    // Ends the run, unless it is being replayed.
    void ResetTypedBuffer() noexcept;
    // Ends the run even while it is replayed: the executor found its window gone from the front.
    void Forget() noexcept;

    // Ends recording: every key still held is let go in the replay.
    void Close(const TKvKeyboard& model) noexcept;
    // While one lives, nothing is recorded and resets are ignored.
    class Replay {
    public:
        explicit Replay(TypingRun& run) noexcept : run_(run) { run_.replaying_ = true; }
        ~Replay() { run_.replaying_ = false; }
        Replay(const Replay&) = delete;
        Replay& operator=(const Replay&) = delete;

    private:
        TypingRun& run_;
    };
    // What the next conversion erases is what this one typed.
    void Retyped(std::int32_t charactersOnScreen) noexcept { chars_ = charactersOnScreen; }

    std::span<const TypedKeyEntry> Keys() const noexcept {
        return {entries_.data(), static_cast<std::size_t>(count_)};
    }
    // Characters the run left on screen: printable downs add one, Backspace downs take one back.
    std::int32_t CharsOnScreen() const noexcept { return chars_; }
    bool Recording() const noexcept { return recording_; }
    bool Replaying() const noexcept { return replaying_; }
    bool Full() const noexcept { return count_ >= kCapacity; }

private:
    void Start(const TKvKeyboard& model) noexcept;
    void Append(const TKvBtn& key, bool isUp) noexcept;

    std::array<TypedKeyEntry, kCapacity> entries_{};
    std::int32_t count_ = 0;
    std::int32_t chars_ = 0;
    bool recording_ = false;
    bool replaying_ = false;
};

}  // namespace kv
