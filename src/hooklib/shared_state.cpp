#include "hooklib/shared_state.h"

namespace kv::hooklib {
namespace {

// One copy for all processes: the section is marked shared when the library is linked.
#if defined(_MSC_VER)
#pragma data_seg(".shared")
SharedState g_shared = {};
#pragma data_seg()
#pragma comment(linker, "/SECTION:.shared,RWS")
#else
SharedState g_shared __attribute__((section(".shared"), shared)) = {};
#endif

}  // namespace

SharedState& Shared() noexcept { return g_shared; }

}  // namespace kv::hooklib
