#!/usr/bin/env bash
# Start-up time and working set of Tolvex under Wine, each against a bare program of ours (one
# window, one low-level keyboard hook, a "Run" log line: bare_hook_program.c) in the same run.
#   tests/bench/startup_memory.sh [BIN_DIR]    (default build/win64/bin; KV_BENCH_RUNS=9)
#   KV_BENCH_FIRST_START=1 measures first starts (no settings in the registry) instead of later ones.
#   KV_BENCH_WAYS="shell launcher" (the default) chooses the ways of starting, either or both.
# A benchmark, not a test: it prints figures and asserts nothing.
#
# Both programs start alternately in one booted prefix on an Xvfb of its own (first free display
# from KV_BENCH_DISPLAY, default 140), after one uncounted start of each. Start-up is the time
# from starting the Wine process until Log.txt beside the program holds the "Run" line, which
# both write just before their message loop (Tolvex with /debug). Tolvex starts with no companion
# running and with the settings its uncounted first start left (or, with KV_BENCH_FIRST_START=1,
# with none, as on a first start: that one also shows the first-start balloon). Beside that wall
# time it prints the time the program's threads (and its companion's) ran on a processor until
# then, which other work on a shared machine disturbs less than the wall time. Runs are 2 s apart
# (KV_BENCH_PAUSE_S), so that Wine has finished with one program before the next starts.
#
# Two ways of starting. From the shell (startup_memory_runs.py), each start includes Wine's own
# process start from Linux, the same for both programs, which dilutes their ratio. From the launcher
# (startup_launcher.c, built by the Windows build), a program already running in the prefix starts
# both alternately with CreateProcess and times each until its "Run" line: that ratio is the one the
# start-up budget is about. The launcher's counted starts are later starts (its first, uncounted
# start of Tolvex is a first start) and it measures no working set.
#
# Working set: VmRSS in /proc/<pid>/status of the Wine process that runs the program, 2 s after
# its start. Wine runs each Windows process as one Linux process; VmRSS counts all it holds,
# Wine's own Linux libraries and their heap (X11, fonts) included, which Wine 8's
# GetProcessMemoryInfo leaves out (13.4 MB VmRSS against 7.2 MB WorkingSetSize for a console
# program). Both programs carry the same Wine share, so the difference is what Tolvex adds; and
# reading /proc starts no helper under Wine in the middle of a measurement.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KV_ROOT=$(cd "$here/../.." && pwd)
. "$KV_ROOT/scripts/lib/host.sh"
bin=$(cd "${1:-$KV_ROOT/build/win64/bin}" && pwd)
bits=$(kv_pe_bits "$bin/Karmux.exe") || { echo "no Windows build in $bin" >&2; exit 2; }
case $bits in
    32) triple=i686-w64-mingw32 ;;
    64) triple=x86_64-w64-mingw32 ;;
esac

export E2E_WORK=$KV_ROOT/build/bench-startup
export E2E_TOOLS=$bin
kv_use_host_wine
# The loader of the build's bitness runs the program in the process it starts (no launcher in
# between), so the process started is the one measured.
if [ "$bits" = 64 ]; then
    E2E_WINE=$KV_WINE64_LOADER
    export WINELOADER=$KV_WINE64_LOADER
fi
. "$KV_ROOT/tests/e2e/lib.sh"
trap e2e_cleanup EXIT

tools="$E2E_WORK/tools"
app="$E2E_WORK/app"
mkdir -p "$tools"
"$triple-gcc" -O2 -s -mwindows -municode -o "$tools/BareHook.exe" "$here/bare_hook_program.c"
# Closes the programs between runs; the build folder need not hold the e2e helpers.
"$triple-gcc" -O2 -s -municode -static -Wno-cast-function-type -o "$tools/wintool.exe" \
    "$KV_ROOT/tests/e2e/tools/wintool.c"
rm -rf "$app" && mkdir -p "$app"
cp "$bin/Karmux.exe" "$bin/KarmuxCm.exe" "$bin/KarmuxH.dll" "$app/"
for help in Karmux.chm KarmuxRu.chm; do [ ! -f "$bin/$help" ] || cp "$bin/$help" "$app/"; done
cp -r "$KV_ROOT/Lang" "$KV_ROOT/Sound" "$app/"

e2e_start_xvfb "${KV_BENCH_DISPLAY:-140}" 2>/dev/null || exit 1
e2e_init_prefix "$E2E_WORK/$KV_PREFIX_NAME" 2>/dev/null || exit 1
# One wineserver for all runs, so that no run pays for starting it.
"$E2E_WINESERVER" -p

ways=" ${KV_BENCH_WAYS:-shell launcher} "
subject_key='HKCU\SOFTWARE\OrlentaSoftware\Karmux'
if [[ $ways == *" shell "* ]]; then
    echo "Start-up from the shell and working set: the $bits-bit build in $bin, Wine loader $E2E_WINE"
    python3 "$here/startup_memory_runs.py" --wine "$E2E_WINE" --prefix "$WINEPREFIX" --wintool "$tools/wintool.exe" \
        --runs "${KV_BENCH_RUNS:-9}" ${KV_BENCH_FIRST_START:+--first-starts} \
        --base "bare,BareHookProgram,$tools/BareHook.exe" \
        --subject "Tolvex,TFirstForm,$app/Karmux.exe,/debug" \
        --subject-key "$subject_key" --subject-companion KarmuxCm.exe
fi
if [[ $ways == *" launcher "* ]]; then
    [ -f "$bin/startup_launcher.exe" ] || { echo "no startup_launcher.exe in $bin: build the target startup_launcher" >&2; exit 2; }
    windows_path() { printf 'Z:%s' "${1//\//\\}"; }
    echo
    echo "Start-up launched inside Wine: the $bits-bit build in $bin"
    # Its first, uncounted start is a first start, as the shell's is.
    "$E2E_WINE" reg delete "$subject_key" /f >/dev/null 2>&1 || true
    pause_ms=$(python3 -c "print(int(float('${KV_BENCH_PAUSE_S:-2}') * 1000))")
    "$E2E_WINE" "$bin/startup_launcher.exe" "${KV_BENCH_RUNS:-9}" "$pause_ms" \
        BareHookProgram "$(windows_path "$tools/BareHook.exe")" \
        TFirstForm "$(windows_path "$app/Karmux.exe")" /debug 2>&1 | tr -d '\r'
fi
