// One key event through the keyboard hook procedure, as the system calls it, on the simulated
// machine with the program switched on: with the on-screen keyboard hidden (nothing drawn) and
// shown (the hook marks the changed key for the window's next paint).
#include <benchmark/benchmark.h>

#include "attachable_keyboard_port.h"
#include "indicators/key_repaint_canvas.h"
#include "indicators/on_screen_keyboard.h"
#include "keyboard_engine_fixture.h"
#include "no_drawing_canvas.h"
#include "settings/form_placement.h"
#include "sim_keyboard_windows.h"

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

// The program with its on-screen keyboard: the window's behaviour on the port, the model drawing
// through the repaint canvas onto a canvas that draws nothing, and invalidations counted as the
// window's would be made.
class KeyboardShownWorld : public IRepaintRequests {
public:
    explicit KeyboardShownWorld(bool shown) {
        canvas.SetRepaintRequests(this);
        world = std::make_unique<test::EngineWorld>(std::vector<LayoutHandle>{sim::kLayoutUs, sim::kLayoutRu, sim::kLayoutDe},
                                                    6, true, &port, &canvas);
        placement = std::make_unique<FormPlacement>(world->app->appIni, world->os.desktop);
        keyboard = std::make_unique<OnScreenKeyboard>(OnScreenKeyboardServices{
            world->Preset(), world->app->sounds, world->model->keyboard, world->os.loop, world->os.registry, world->os.keyboard,
            world->os.desktop, *placement, view, [] {}, [] { return false; }, {}, {}});
        port.Attach(keyboard.get());
        world->Activate();
        if (shown) keyboard->Show();
        canvas.Flush();
    }
    ~KeyboardShownWorld() override { port.Attach(nullptr); }
    void InvalidateImageArea(const Rect&) override { ++invalidations; }
    void InvalidateWholeImage() override { ++invalidations; }

    // The window's paint, after the hook returned.
    void Paint() { canvas.Flush(); }
    KeyboardHookProcedure& Hook() { return world->engine->Hook(); }
    bool Drawing() { return world->model->keyboard.DrawEnabled(); }

    std::int64_t invalidations = 0;

private:
    sim::NoDrawingCanvas nothingDrawn;
    KeyRepaintCanvas canvas{nothingDrawn};
    AttachableKeyboardPort port;
    sim::SimKeyboardWindows view;
    std::unique_ptr<test::EngineWorld> world;
    std::unique_ptr<FormPlacement> placement;
    std::unique_ptr<OnScreenKeyboard> keyboard;
};

// Letter (arg 0) or left Ctrl (arg 1) events with the keyboard hidden or shown; the paint that
// follows each event runs outside the hook and is timed too, so the time is an upper bound.
void KeyboardWindowEvents(benchmark::State& state, bool shown) {
    KeyboardShownWorld world(shown);
    if (world.Drawing() != shown) state.SkipWithError("the model draws while the keyboard is hidden, or not while shown");
    const std::uint8_t vk = state.range(0) == 0 ? 'K' : 0xA2;
    const LowLevelKeyEvent down = KeyEvent(vk, false), up = KeyEvent(vk, true);
    bool pressed = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(world.Hook().OnKeyEvent(pressed ? up : down));
        world.Paint();
        pressed = !pressed;
    }
    if (shown && world.invalidations < state.iterations()) state.SkipWithError("a key event did not mark its key");
    state.SetItemsProcessed(state.iterations());
}
void BM_HookProcedure_KeyboardHidden(benchmark::State& state) { KeyboardWindowEvents(state, false); }
void BM_HookProcedure_KeyboardShown(benchmark::State& state) { KeyboardWindowEvents(state, true); }
BENCHMARK(BM_HookProcedure_KeyboardHidden)->Arg(0)->Arg(1);
BENCHMARK(BM_HookProcedure_KeyboardShown)->Arg(0)->Arg(1);

}  // namespace
}  // namespace kv
