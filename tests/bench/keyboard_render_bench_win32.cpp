// Times the GDI keyboard image on the Windows build (run under Wine by
// tests/bench/keyboard_render_bench_wine.sh): one full Redraw and one pressed-key repaint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "gdi_keyboard_fixture.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median of `rounds` timings of `repeats` calls, in microseconds per call.
template <typename Fn>
double MedianMicros(int rounds, int repeats, Fn&& fn) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        for (int i = 0; i < repeats; ++i) fn();
        GdiFlush();
        QueryPerformanceCounter(&to);
        perCall.push_back(Seconds(from, to, frequency) * 1e6 / repeats);
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

}  // namespace

int main() {
    kv::test::GdiKeyboardWorld world;
    kv::TKvKeyboard& model = *world.model;
    model.Redraw();
    const double redraw = MedianMicros(9, 50, [&] { model.Redraw(); });
    bool down = false;
    const double keyRepaint = MedianMicros(9, 500, [&] {
        down = !down;
        model.SetKeyPressed('A', down);
    });
    std::printf("full redraw (777 x 243, labels on): %.1f us\n", redraw);
    std::printf("pressed-key repaint (A down/up):    %.1f us\n", keyRepaint);
    return 0;
}
