// One key event through the keyboard hook procedure, as the system calls it, on the simulated
// machine with the program switched on and nothing drawn.
#include <benchmark/benchmark.h>

#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

LowLevelKeyEvent KeyEvent(std::uint8_t vk, bool up) {
    LowLevelKeyEvent event;
    event.vkCode = vk;
    event.message = up ? 0x0101 : 0x0100;
    event.flags = up ? kLlkhfUp : 0;
    return event;
}

// A printable key pressed and released: model, sounds check, hotkey lookup, typed-key buffer.
void BM_HookProcedure_LetterEvent(benchmark::State& state) {
    test::EngineWorld world;
    world.Activate();
    KeyboardHookProcedure& hook = world.engine->Hook();
    const LowLevelKeyEvent down = KeyEvent('K', false), up = KeyEvent('K', true);
    bool pressed = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hook.OnKeyEvent(pressed ? up : down));
        pressed = !pressed;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HookProcedure_LetterEvent);

// A modifier pressed and released: the modifier sets, the chord and the single-modifier lookup.
void BM_HookProcedure_ModifierEvent(benchmark::State& state) {
    test::EngineWorld world;
    world.Activate();
    world.Preset().SetSCSwitchLang(0);
    KeyboardHookProcedure& hook = world.engine->Hook();
    const LowLevelKeyEvent down = KeyEvent(0xA2, false), up = KeyEvent(0xA2, true);
    bool pressed = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hook.OnKeyEvent(pressed ? up : down));
        pressed = !pressed;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HookProcedure_ModifierEvent);

}  // namespace
}  // namespace kv
