#pragma once
// Messages exchanged with the hook library, the companion process and a second instance.
#include <cstdint>

namespace kv::msg {

constexpr std::uint32_t kLayoutChanged = 1174;       // library -> app, lParam = new HKL
constexpr std::uint32_t kSwitchLayout = 1175;        // app -> foreground window, wParam = HKL
constexpr std::uint32_t kSwitchAcknowledged = 1176;  // library -> app
// lParam of a 1176 the 32-bit hook host passed on (the library's own carries 0).
constexpr std::intptr_t kThroughHost32 = 32;
constexpr std::uint32_t kForegroundChanged = 1185;   // library -> app, wParam = window or 0
constexpr std::uint32_t kCaretActivity = 1186;       // library -> app
constexpr std::uint32_t kCaretActivityResetTyped = 1187;
constexpr std::uint32_t kLibraryIdle = 1188;
constexpr std::uint32_t kCaretMovedTo = 1189;        // lParam = x | y << 16
constexpr std::uint32_t kActionsMenuTimerStart = 1192;
constexpr std::uint32_t kActionsMenuTimerStop = 1193;

constexpr std::uint32_t kCompanionHookInstalled = 1206;
constexpr std::uint32_t kCompanionHookRemoved = 1207;
constexpr std::uint32_t kCompanionInputStarts = 1208;
constexpr std::uint32_t kCompanionInputEnded = 1209;
constexpr std::uint32_t kCompanionStartup = 1210;

constexpr std::uint32_t kSecondInstance = 1215;      // second start -> marker window

}  // namespace kv::msg
