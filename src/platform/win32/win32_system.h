#pragma once
#include "platform/system_api.h"

namespace kv::win32 {

class Win32SystemInfo : public ISystemVersion,
                        public ILocales,
                        public ITextConversion,
                        public ISystemColors,
                        public IProcessPriority,
                        public IForegroundLock {
public:
    OsVersion Version() const override;
    bool Is64BitWindows() const override;
    std::uint16_t SystemDefaultUILanguage() const override;
    std::u16string LanguageName(std::uint16_t languageId) const override;
    void SetRealtimePriority(bool threadAboveNormal) override;
    std::uint32_t ForegroundLockTimeout() const override;
    void SetForegroundLockTimeout(std::uint32_t ms) override;
    std::uint32_t SystemColor(int index) const override;
    std::uint32_t NearestScreenColor(std::uint32_t color) const override;
    std::string ToAnsi(std::u16string_view text) const override;
    char16_t CharToUpper(char16_t c) const override;
    char16_t CharToLower(char16_t c) const override;
    MemoryStatus Memory() const override;
    OsEdition Edition() const override;
    std::u16string FromAnsi(std::string_view text) const override;
};

class Win32MessageBoxes : public IMessageBoxes {
public:
    int Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
};

}  // namespace kv::win32
