#!/usr/bin/env bash
# The time from choosing the tray's Settings item until the settings window shows, under Wine.
#   tests/bench/settings_open.sh [BIN_DIR]    (default build/win64/bin; KV_BENCH_RUNS=5)
# A benchmark, not a test: it prints figures and asserts nothing.
#
# Each run starts Tolvex afresh (as e2e settings_window does, with Icons\ and Keyboards\ beside
# it), opens the settings from the tray menu with the keyboard and closes the program again: the
# first opening in a process is the one a user waits for. window_shown_timer.exe (built by the
# Windows build), running inside the prefix, takes the time from the menu's closing until the
# settings window is visible; polling from the shell would add Wine's process starts to it.
# On its own Xvfb (first free display from KV_BENCH_DISPLAY, default 150).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KV_ROOT=$(cd "$here/../.." && pwd)
. "$KV_ROOT/scripts/lib/host.sh"
KV_BIN=$(cd "${1:-$KV_ROOT/build/win64/bin}" && pwd)
KV_BUILD_BITS=$(kv_pe_bits "$KV_BIN/Karmux.exe") || { echo "no Windows build in $KV_BIN" >&2; exit 2; }
[ -f "$KV_BIN/window_shown_timer.exe" ] || { echo "no window_shown_timer.exe in $KV_BIN: build the target window_shown_timer" >&2; exit 2; }
export KV_BIN KV_BUILD_BITS
export E2E_WORK=$KV_ROOT/build/bench-settings
export E2E_TOOLS=$KV_BIN
mkdir -p "$E2E_WORK"
kv_use_host_wine || exit 2
. "$KV_ROOT/tests/e2e/support.sh"
e2e_start_xvfb "${KV_BENCH_DISPLAY:-150}" 2>/dev/null || exit 1
e2e_init_prefix "$E2E_WORK/$KV_PREFIX_NAME" 2>/dev/null || exit 1
"$E2E_WINESERVER" -p

app="$E2E_WORK/app"
kv_install_app "$app"
kv_reset_registry
. "$KV_ROOT/tests/e2e/settings_support.sh"

echo "Settings window: the tray item chosen until the window shows; the $KV_BUILD_BITS-bit build in $KV_BIN"
timer_out="$E2E_WORK/timer.txt"
times=()
# As settings_support.sh's start_program, with room for a busy machine.
start_and_wait() {
    e2e_start karmux "$app/Karmux.exe" -DEBUG
    pid=$E2E_LAST_PID
    check e2e_wait_log "$app/Log.txt" ' : Run$' 60
    _icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
    check e2e_poll 30 0.2 _icon_shown
}
for run in $(seq "${KV_BENCH_RUNS:-5}"); do
    start_and_wait
    sleep 1
    : >"$timer_out"
    "$E2E_WINE" "$KV_BIN/window_shown_timer.exe" TMainForm 20000 >"$timer_out" 2>/dev/null &
    timer=$!
    _timer_ready() { grep -q ready "$timer_out"; }
    check e2e_poll 20 0.05 _timer_ready
    open_settings
    wait "$timer"
    shown=$(tr -d '\r' <"$timer_out" | sed -n 's/^shown after \([0-9]*\) ms$/\1/p')
    echo "  run $run: ${shown:-not shown} ${shown:+ms}"
    [ -z "$shown" ] || times+=("$shown")
    e2e_wintool post class:TFirstForm 16 0 0 >/dev/null
    kv_wait_exit "$pid" 10 || kill "$pid" 2>/dev/null
    sleep 1
done
[ ${#times[@]} -gt 0 ] || { echo "no opening was timed"; exit 1; }
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END {
    median = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "settings window shown after: min %d ms, median %d ms, max %d ms (%d runs; budget 500 ms)\n", t[1], median, t[NR], NR }'
