// The hotkey lookup the keyboard hook makes on every key event.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "hotkeys/kv_actions.h"

namespace kv {
namespace {

// The default language hotkeys, plus `extra` actions with modifiers on every letter so that
// the looked-up key has many neighbours.
void Fill(TKvActions& actions, int extraPerLetter) {
    actions.AddAction(0, 0x90);
    actions.AddAction(38, 0x80);
    actions.AddAction(40, 0x80);
    actions.AddAction(160, 0);
    actions.AddAction(161, 0);
    actions.AddAction(163, 0);
    actions.AddAction(191, 0x80);
    for (int letter = 'A'; letter <= 'Z'; ++letter) {
        for (int i = 0; i < extraPerLetter; ++i) {
            actions.AddAction(static_cast<std::uint8_t>(letter), static_cast<std::uint16_t>(0x01 + i));
        }
    }
}

struct Lookup {
    std::uint8_t key;
    std::uint16_t sided, any;
};

void Run(benchmark::State& state, Lookup lookup) {
    ActionMailbox mailbox;
    TKvActions actions(mailbox);
    Fill(actions, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(actions.MatchHotkey(lookup.key, lookup.sided, lookup.any));
    }
}

// A plain letter: the key has actions, none of them matches.
void BM_MatchHotkey_LetterWithoutHotkey(benchmark::State& state) { Run(state, {'K', 0, 0}); }
// The last action of a letter matches (modifier bytes 1..n, n = the argument).
void BM_MatchHotkey_LetterHotkey(benchmark::State& state) {
    const auto mods = static_cast<std::uint16_t>(state.range(0));
    Run(state, {'K', mods, mods});
}
// Left Win + left Shift released: the modifier-only hotkey.
void BM_MatchHotkey_ModifierOnly(benchmark::State& state) { Run(state, {0, 0x90, 0x90}); }
// A key that has no actions at all.
void BM_MatchHotkey_KeyWithoutActions(benchmark::State& state) { Run(state, {'5', 0, 0}); }

BENCHMARK(BM_MatchHotkey_LetterWithoutHotkey)->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(BM_MatchHotkey_LetterHotkey)->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(BM_MatchHotkey_ModifierOnly)->Arg(8);
BENCHMARK(BM_MatchHotkey_KeyWithoutActions)->Arg(8);

}  // namespace
}  // namespace kv
