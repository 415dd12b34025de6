#pragma once
// Windows constants that portable code passes through the seam. The Win32 layer
// checks them against <windows.h> at compile time.
#include <cstdint>

namespace kv::win {

constexpr std::uint32_t kWmDestroy = 0x0002;
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmTimer = 0x0113;
constexpr std::uint32_t kWmInputLangChangeRequest = 0x0050;
constexpr std::uint32_t kWmUser = 0x0400;
constexpr std::uint32_t kWmKeyDown = 0x0100;
constexpr std::uint32_t kWmKeyUp = 0x0101;
constexpr std::uint32_t kWmSysKeyDown = 0x0104;
constexpr std::uint32_t kWmSysKeyUp = 0x0105;
constexpr std::uint32_t kWmDestroyClipboard = 0x0307;
constexpr std::uint32_t kWmDrawClipboard = 0x0308;
constexpr std::uint32_t kWmChangeCbChain = 0x030D;
constexpr std::uint32_t kWmClipboardUpdate = 0x031D;
constexpr std::uint32_t kWmPowerBroadcast = 0x0218;
constexpr std::uint32_t kWmWtsSessionChange = 0x02B1;

constexpr std::uint32_t kWtsSessionUnlock = 0x8;
constexpr std::uint32_t kPbtApmResumeSuspend = 0x7;
constexpr std::uint32_t kPbtApmResumeAutomatic = 0x12;

constexpr int kSwHide = 0;
constexpr int kSwShowNormal = 1;
constexpr int kSwShow = 5;
constexpr int kSwRestore = 9;

constexpr std::uint32_t kMbOk = 0x0000;
constexpr std::uint32_t kMbYesNoCancel = 0x0003;
constexpr std::uint32_t kMbYesNo = 0x0004;
constexpr std::uint32_t kMbIconError = 0x0010;
constexpr std::uint32_t kMbIconQuestion = 0x0020;
constexpr std::uint32_t kMbIconExclamation = 0x0030;
constexpr std::uint32_t kMbIconInformation = 0x0040;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

constexpr std::uint32_t kSndAsync = 0x0001;
constexpr std::uint32_t kSndNoStop = 0x0010;

constexpr std::uint32_t kKeyEventExtendedKey = 0x0001;
constexpr std::uint32_t kKeyEventKeyUp = 0x0002;

// Flags of a low-level keyboard hook event (KBDLLHOOKSTRUCT).
constexpr std::uint32_t kLlkhfUp = 0x0080;

constexpr std::uint32_t kMapVkToVsc = 0;
constexpr std::uint32_t kMapVscToVk = 1;
constexpr std::uint32_t kMapVkToChar = 2;
constexpr std::uint32_t kMapVscToVkEx = 3;

constexpr std::uint32_t kVerPlatformWin32Windows = 1;
constexpr std::uint32_t kVerPlatformWin32Nt = 2;

}  // namespace kv::win
