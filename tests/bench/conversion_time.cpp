// Virtual time a conversion of the typed text takes on the simulated machine, from the hotkey's
// release to the last replayed key: the pauses of the synthetic input and the layout switch,
// with the hook library's acknowledgement arriving as the simulated library sends it.
#include <cstdio>

#include "keyboard/key_classes.h"
#include "keyboard_engine_fixture.h"

namespace kv {
namespace {

// On XP the switch goes through the library's 1175 and its answer 1176; from Vista on the next
// layout is requested with WM_INPUTLANGCHANGEREQUEST.
std::uint64_t ConversionMs(int characters, bool vista) {
    test::EngineWorld world({sim::kLayoutUs, sim::kLayoutRu}, vista ? 6u : 5u);
    world.Activate();
    for (int i = 0; i < characters; ++i) world.os.driver.Tap(static_cast<std::uint8_t>('A' + i % 26));
    const std::uint64_t start = world.os.loop.NowMs();
    world.os.driver.Press(vk::kLeftWin, true);
    world.os.driver.Press(vk::kLeftShift);
    world.os.driver.Release(vk::kLeftShift);
    world.os.driver.Release(vk::kLeftWin, true);
    // The executor's timer is the first thing due; the conversion runs inside its tick.
    PumpUntil(world.os.platform, 60'000, [&] { return world.engine->Queue().Current == nullptr; });
    const std::uint64_t ms = world.os.loop.NowMs() - start;
    if (world.editor->Layout() != sim::kLayoutRu) std::printf("conversion of %d characters did not switch\n", characters);
    return ms;
}

}  // namespace
}  // namespace kv

int main() {
    for (bool vista : {false, true}) {
        for (int characters : {10, 100}) {
            std::printf("%-5s converting %3d typed characters: %llu ms of virtual time\n", vista ? "Vista" : "XP",
                        characters, static_cast<unsigned long long>(kv::ConversionMs(characters, vista)));
        }
    }
    return 0;
}
