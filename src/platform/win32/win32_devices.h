#pragma once
#include "platform/clipboard_api.h"
#include "platform/keyboard_api.h"

namespace kv::win32 {

class Win32KeyboardLayouts : public IKeyboardLayouts {
public:
    std::vector<LayoutHandle> InstalledLayouts() const override;
    std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType, LayoutHandle layout) const override;
    int TranslateToUnicode(std::uint32_t vk, std::uint32_t scanCode, const std::uint8_t* keyState, char16_t* buffer,
                    int bufferLength, std::uint32_t flags, LayoutHandle layout) override;
    std::int16_t ScanForCharacter(char16_t ch, LayoutHandle layout) const override;
    LayoutHandle LoadLayout(std::u16string_view layoutId) override;
    void UnloadLayout(LayoutHandle layout) override;
    void ActivateLayout(LayoutHandle layout) override;
    LayoutHandle ThreadLayout(std::uint32_t threadId) const override;
};

class Win32KeyInput : public IKeyInput {
public:
    std::uint32_t SendKeyEvents(const KeyEvent* events, std::size_t count) override;
    void SendEmptyMouseInput() override;
    void ReadKeyboardState(std::uint8_t* state) override;
};

class Win32Clipboard : public IClipboard {
public:
    Win32Clipboard();
    bool Open(WindowHandle owner) override;
    void Close() override;
    bool Empty() override;
    std::vector<std::uint32_t> Formats() override;
    std::optional<std::string> Data(std::uint32_t format) override;
    std::optional<std::size_t> DataSize(std::uint32_t format) override;
    bool SetData(std::uint32_t format, std::string_view bytes) override;
    bool HasFormat(std::uint32_t format) const override;
    std::u16string FormatName(std::uint32_t format) const override;
    std::uint32_t RegisterFormat(std::u16string_view name) override;
    std::size_t FormatCount() const override;
    std::uint32_t SequenceNumber() const override;
    bool OwnerAnswers(std::uint32_t timeoutMs) override;
    bool ChangeListenerAvailable() const override { return addListener_ && removeListener_; }
    bool AddChangeListener(WindowHandle window) override;
    bool RemoveChangeListener(WindowHandle window) override;
    WindowHandle JoinViewerChain(WindowHandle window) override;
    bool LeaveViewerChain(WindowHandle window, WindowHandle next) override;

private:
    // AddClipboardFormatListener and RemoveClipboardFormatListener, absent before Vista.
    using ListenerFunction = int(__stdcall*)(void* window);
    ListenerFunction addListener_ = nullptr;
    ListenerFunction removeListener_ = nullptr;
};

}  // namespace kv::win32
