#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kv {

// The 32-bit input-locale handle (language identifier in the low word).
using LayoutHandle = std::uint32_t;
constexpr LayoutHandle kUsEnglishLayout = 0x04090409;
constexpr LayoutHandle kNextLayout = 1;  // HKL_NEXT

// Keyboard layouts and character translation, as the system's layout functions do them.
class IKeyboardLayouts {
public:
    virtual ~IKeyboardLayouts() = default;
    virtual std::vector<LayoutHandle> InstalledLayouts() const = 0;
    virtual std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType, LayoutHandle layout) const = 0;
    // Returns -1 for a dead key, 0 for no character, else the count written.
    virtual int TranslateToUnicode(std::uint32_t vk, std::uint32_t scanCode, const std::uint8_t* keyState, char16_t* buffer,
                            int bufferLength, std::uint32_t flags, LayoutHandle layout) = 0;
    virtual std::int16_t ScanForCharacter(char16_t ch, LayoutHandle layout) const = 0;
    // Loads a layout by its identifier ("04090409"); 0 when it cannot be loaded.
    virtual LayoutHandle LoadLayout(std::u16string_view layoutId) = 0;
    virtual void UnloadLayout(LayoutHandle layout) = 0;
    // ActivateKeyboardLayout for the calling thread (kNextLayout: the next installed one).
    virtual void ActivateLayout(LayoutHandle layout) = 0;
    // GetKeyboardLayout: of the calling thread (0) or of another thread.
    virtual LayoutHandle ThreadLayout(std::uint32_t threadId) const = 0;
};

struct KeyEvent {
    std::uint16_t vk = 0;
    std::uint16_t scanCode = 0;
    std::uint32_t flags = 0;  // KEYEVENTF_* values
    std::uintptr_t extraInfo = 0;
};

// Synthetic input, as SendInput does it.
class IKeyInput {
public:
    virtual ~IKeyInput() = default;
    // The number of events the system accepted.
    virtual std::uint32_t SendKeyEvents(const KeyEvent* events, std::size_t count) = 0;
    virtual void SendEmptyMouseInput() = 0;
    // GetKeyboardState: the calling thread's 256-byte key-state array.
    virtual void ReadKeyboardState(std::uint8_t* state) = 0;
};

}  // namespace kv
