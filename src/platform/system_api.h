#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kv {

struct OsVersion {
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};

// What the bug report says about the system beyond its version number.
struct OsEdition {
    std::uint8_t productType = 1;  // VER_NT_WORKSTATION, VER_NT_DOMAIN_CONTROLLER, VER_NT_SERVER
    std::u16string servicePack;    // "Service Pack 3"; empty when none
};

struct MemoryStatus {
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
};

// Which Windows this is, for the operating-system gate, per-version behaviour and bug reports.
class ISystemVersion {
public:
    virtual ~ISystemVersion() = default;
    // The true version (not the compatibility-shimmed one).
    virtual OsVersion Version() const = 0;
    virtual bool Is64BitWindows() const = 0;
    virtual OsEdition Edition() const = 0;
    virtual MemoryStatus Memory() const = 0;
};

// The system's languages.
class ILocales {
public:
    virtual ~ILocales() = default;
    // The language identifier of the system's default user-interface language.
    virtual std::uint16_t SystemDefaultUILanguage() const = 0;
    // The system's localised name of a language ("English (United States)" for 0x0409), as
    // GetLocaleInfo gives LOCALE_SLANGUAGE; empty for a language the system does not know.
    virtual std::u16string LanguageName(std::uint16_t languageId) const = 0;
};

// Text as the system converts it: the user's ANSI code page and Unicode case mapping.
class ITextConversion {
public:
    virtual ~ITextConversion() = default;
    // Text in the user's ANSI code page, as CF_TEXT holds it.
    virtual std::string ToAnsi(std::u16string_view text) const = 0;
    virtual std::u16string FromAnsi(std::string_view text) const = 0;
    // The system's case mapping of one character, without context (as CharUpperBuffW and
    // CharLowerBuffW map); characters without a case come back.
    virtual char16_t CharToUpper(char16_t c) const = 0;
    virtual char16_t CharToLower(char16_t c) const = 0;
};

// The colours of the user's desktop scheme.
class ISystemColors {
public:
    virtual ~ISystemColors() = default;
    // GetSysColor as 0x00BBGGRR.
    virtual std::uint32_t SystemColor(int index) const = 0;
    // The nearest colour the screen can show.
    virtual std::uint32_t NearestScreenColor(std::uint32_t color) const = 0;
};

// The program's scheduling priority.
class IProcessPriority {
public:
    virtual ~IProcessPriority() = default;
    // The own process to the realtime class, the calling thread above normal or normal.
    virtual void SetRealtimePriority(bool threadAboveNormal) = 0;
};

// The time during which Windows refuses to hand the foreground to another process.
class IForegroundLock {
public:
    virtual ~IForegroundLock() = default;
    virtual std::uint32_t ForegroundLockTimeout() const = 0;
    virtual void SetForegroundLockTimeout(std::uint32_t ms) = 0;
};

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Modal; returns the button pressed (kIdOk, kIdYes ...).
    virtual int Show(WindowHandle owner, std::u16string_view text, std::u16string_view caption, std::uint32_t flags) = 0;
};

}  // namespace kv
