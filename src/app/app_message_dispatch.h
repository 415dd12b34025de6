#pragma once
#include <cstdint>

namespace kv {

class KeyboardEngine;

// The hook library's notifications to the application window. True when the message is one of
// them; every message is still dispatched normally afterwards.
bool DispatchLibraryMessage(KeyboardEngine& engine, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace kv
