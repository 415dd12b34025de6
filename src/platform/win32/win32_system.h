#pragma once
#include "platform/system_api.h"

namespace kv::win32 {

class Win32SystemInfo : public ISystemInfo {
public:
    OsVersion Version() const override;
    bool Is64BitWindows() const override;
    std::uint16_t SystemDefaultUILanguage() const override;
    void SetRealtimePriority(bool threadAboveNormal) override;
};

class Win32MessageBoxes : public IMessageBoxes {
public:
    int Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption, std::uint32_t flags) override;
};

}  // namespace kv::win32
