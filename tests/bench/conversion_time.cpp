// Virtual time a conversion of the typed text takes on the simulated machine, from the hotkey's
// release to the last replayed key: the pauses of the synthetic input and the layout switch,
// with the hook library's acknowledgement arriving as the simulated library sends it. A
// conversion that did not switch the layout or did not retype the text measured nothing, so the
// run fails instead of reporting its time.
#include <cstdio>
#include <optional>
#include <string>

#include "common/key_classes.h"
#include "keyboard_engine_fixture.h"
#include "platform/text.h"

namespace kv {
namespace {

struct Measurement {
    std::uint64_t ms = 0;
    std::string failure;  // empty when the conversion happened
};

// On XP the switch goes through the library's 1175 and its answer 1176; from Vista on the next
// layout is requested with WM_INPUTLANGCHANGEREQUEST.
Measurement ConversionMs(int characters, bool vista) {
    test::EngineWorld world({sim::kLayoutUs, sim::kLayoutRu}, vista ? 6u : 5u);
    if (!world.Activate()) return {0, "the program did not switch on"};
    for (int i = 0; i < characters; ++i) world.os.driver.Tap(static_cast<std::uint8_t>('A' + i % 26));
    const std::u16string typed = world.document->Text();
    const std::uint64_t start = world.os.loop.NowMs();
    world.os.driver.Press(vk::kLeftWin, true);
    world.os.driver.Press(vk::kLeftShift);
    world.os.driver.Release(vk::kLeftShift);
    world.os.driver.Release(vk::kLeftWin, true);
    // The executor's timer is the first thing due; the conversion runs inside its tick.
    PumpUntil(world.os.platform, 60'000, [&] { return world.model->mailbox.Current() == nullptr; });
    const std::uint64_t ms = world.os.loop.NowMs() - start;
    if (world.editor->Layout() != sim::kLayoutRu) return {ms, "the layout did not switch to Russian"};
    const std::u16string converted = world.document->Text();
    if (converted.size() != typed.size() || converted == typed) {
        return {ms, "the text was not retyped: \"" + Utf16ToUtf8(converted) + "\""};
    }
    return {ms, {}};
}

}  // namespace
}  // namespace kv

int main() {
    int failures = 0;
    for (bool vista : {false, true}) {
        for (int characters : {10, 100}) {
            const kv::Measurement m = kv::ConversionMs(characters, vista);
            const char* system = vista ? "Vista" : "XP";
            if (!m.failure.empty()) {
                std::fprintf(stderr, "%-5s converting %3d typed characters FAILED: %s\n", system, characters,
                             m.failure.c_str());
                ++failures;
                continue;
            }
            std::printf("%-5s converting %3d typed characters: %llu ms of virtual time\n", system, characters,
                        static_cast<unsigned long long>(m.ms));
        }
    }
    return failures == 0 ? 0 : 1;
}
