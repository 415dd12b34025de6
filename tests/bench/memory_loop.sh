#!/usr/bin/env bash
# Resident memory of Tolvex under Wine over a long loop of case conversions in notepad: type a
# line, select it, upper case (left Win + Up), select it, lower case (left Win + Down), again.
#   tests/bench/memory_loop.sh [BIN_DIR]   (default build/win64/bin)
#   KV_LOOP_MINUTES=30  how long to loop;  KV_LOOP_WARMUP=100  conversions before the baseline
#   KV_LOOP_PROGRAM=bare  loops with bare_case_program.c instead, which makes only the Windows
#                         calls of a selection case conversion: growth that both show is Wine's.
# A benchmark, not a test: it prints VmRSS of the Wine process that runs Karmux.exe every 100
# conversions, counts conversions that came out wrong, and ends with the growth after warm-up
# and a least-squares slope per 100 conversions.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KV_ROOT=$(cd "$here/../.." && pwd)
. "$KV_ROOT/scripts/lib/host.sh"
export KV_BIN=$(cd "${1:-$KV_ROOT/build/win64/bin}" && pwd)
export KV_BUILD_BITS=$(kv_pe_bits "$KV_BIN/Karmux.exe") || { echo "no Windows build in $KV_BIN" >&2; exit 2; }
export E2E_WORK=$KV_ROOT/build/bench-memory-${KV_LOOP_PROGRAM:-tolvex}
export E2E_TOOLS=$KV_BIN
minutes=${KV_LOOP_MINUTES:-30}
warmup=${KV_LOOP_WARMUP:-100}
mkdir -p "$E2E_WORK"
kv_use_host_wine
# The loader of the build's bitness runs the program in the process it starts, so that process
# is the one measured.
if [ "$KV_BUILD_BITS" = 64 ] && [ -n "${KV_WINE64_LOADER:-}" ]; then
    E2E_WINE=$KV_WINE64_LOADER
    export WINELOADER=$KV_WINE64_LOADER
fi
. "$KV_ROOT/tests/e2e/lib.sh"
e2e_start_xvfb "${KV_BENCH_DISPLAY:-150}" 2>/dev/null || exit 1
e2e_init_prefix "$E2E_WORK/$KV_PREFIX_NAME" 2>/dev/null || exit 1
set +e
xvfb=$E2E_XVFB_PID
. "$KV_ROOT/tests/e2e/support.sh"
E2E_XVFB_PID=$xvfb  # support.sh sources lib.sh again, which forgets the X server started above

app="$E2E_WORK/app"
if [ "${KV_LOOP_PROGRAM:-tolvex}" = bare ]; then
    case $KV_BUILD_BITS in 32) triple=i686-w64-mingw32 ;; *) triple=x86_64-w64-mingw32 ;; esac
    rm -rf "$app" && mkdir -p "$app"
    "$triple-gcc" -O2 -s -mwindows -municode -o "$app/BareCase.exe" "$here/bare_case_program.c" || exit 1
    e2e_start bare "$app/BareCase.exe"
else
    kv_install_app "$app"
    kv_reset_registry
    e2e_start karmux "$app/Karmux.exe" -DEBUG
fi
karmux=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 20
kv_start_notepad
check e2e_wintool clipset "the user's clipboard"

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$karmux/status"; }
line="hello world, typed again"
upper=${line^^}
conversions=0 wrong=0
samples="$E2E_WORK/rss.txt"
: >"$samples"
t0=$(date +%s)
end=$((t0 + minutes * 60))
printf '%12s %10s %8s %6s\n' conversions "VmRSS KB" seconds wrong
while [ "$(date +%s)" -lt "$end" ]; do
    e2e_key ctrl+a
    e2e_type "$line" 5
    kv_notepad_text_is "$line" 5 || { wrong=$((wrong + 1)); }
    e2e_key ctrl+a super+Up
    kv_notepad_text_is "$upper" 5 || { wrong=$((wrong + 1)); }
    e2e_key ctrl+a super+Down
    kv_notepad_text_is "$line" 5 || { wrong=$((wrong + 1)); }
    conversions=$((conversions + 2))
    if [ $((conversions % 100)) -eq 0 ]; then
        kb=$(rss_kb) || fail "the program is no longer running"
        echo "$conversions $kb" >>"$samples"
        printf '%12d %10d %8d %6d\n' "$conversions" "$kb" $(($(date +%s) - t0)) "$wrong"
    fi
done
awk -v warm="$warmup" -v wrong="$wrong" -v total="$conversions" '
    $1 >= warm { if (!n) base = $2; n++; sx += $1; sy += $2; sxx += $1 * $1; sxy += $1 * $2;
                 last = $2; if ($2 > hi || n == 1) hi = $2; if ($2 < lo || n == 1) lo = $2 }
    END {
        if (n < 2) { print "too few samples after warm-up"; exit 1 }
        slope = (n * sxy - sx * sy) / (n * sxx - sx * sx)
        printf "conversions %d, wrong %d; after %d conversions: VmRSS %d KB at the baseline, %d KB at the end (%+d KB), range %d KB, slope %+.1f KB per 100 conversions\n",
               total, wrong, warm, base, last, last - base, hi - lo, slope * 100
    }' "$samples"
