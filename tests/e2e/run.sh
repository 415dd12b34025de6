#!/usr/bin/env bash
# Runs every e2e scenario against one Windows build (32- or 64-bit, read from its Karmux.exe),
# each in its own bash with a time bound, and ends with
# "e2e: N passed, N failed (the B-bit build in BIN_DIR)".
#   tests/e2e/run.sh [BIN_DIR] [SCENARIO_NAME...]
# BIN_DIR defaults to the build this host can run: build/win32/bin, or build/win64/bin where the
# host runs no 32-bit programs (KV_HOST_32BIT=0 or 1 forces the choice).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KV_ROOT=$(cd "$here/../.." && pwd)
. "$KV_ROOT/scripts/lib/host.sh"
if [ $# -gt 0 ]; then
    KV_BIN=$1; shift
elif kv_host_runs_32bit; then
    KV_BIN=$KV_ROOT/build/win32/bin
else
    KV_BIN=$KV_ROOT/build/win64/bin
fi
KV_BUILD_BITS=$(kv_pe_bits "$KV_BIN/Karmux.exe") ||
    { echo "e2e: no Windows build in $KV_BIN (Karmux.exe missing or unreadable)" >&2; exit 2; }
if [ "$KV_BUILD_BITS" = 32 ] && ! kv_host_runs_32bit; then
    echo "e2e: the 32-bit build in $KV_BIN cannot run here: $(kv_host_32bit_reason). Run the 64-bit build: tests/e2e/run.sh build/win64/bin" >&2
    exit 2
fi
export KV_BIN KV_BUILD_BITS
# The exit code of a scenario that cannot run on this host or against this build.
export KV_E2E_SKIP=77
export E2E_WORK=${E2E_WORK:-$KV_ROOT/build/e2e}
export E2E_TOOLS=$KV_BIN
kv_use_host_wine || exit 2
scenario_timeout=${KV_E2E_SCENARIO_TIMEOUT:-120}

. "$here/lib.sh"
trap e2e_cleanup EXIT
# Our own X server unless told to use the caller's, so tests never pop up on a desktop.
if [ -z "${KV_E2E_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then e2e_start_xvfb 91 || exit 1; fi
e2e_init_prefix "$E2E_WORK/$KV_PREFIX_NAME" || exit 1
e2e_log "against the $KV_BUILD_BITS-bit build in $KV_BIN, Wine loader $E2E_WINE"

names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(cd "$here/scenarios" && ls *.sh | sed 's/\.sh$//'))
passed=0 failed=0 skipped=0
for name in "${names[@]}"; do
    t0=$(e2e_now)
    # Separate process group, so a hung scenario and all it started can be stopped.
    E2E_XVFB_PID="" timeout -k 5 "$scenario_timeout" bash "$here/scenarios/$name.sh" >"$E2E_WORK/$name.log" 2>&1
    rc=$?
    e2e_stop_prefix "$WINEPREFIX"
    if [ $rc -eq 0 ]; then
        passed=$((passed + 1)); echo "e2e PASS $name ($(e2e_elapsed "$t0") s)"
    elif [ $rc -eq "$KV_E2E_SKIP" ]; then
        # A scenario that cannot run here says why as its last line.
        skipped=$((skipped + 1)); echo "e2e SKIP $name: $(tail -n1 "$E2E_WORK/$name.log" | sed 's/^.*SKIP: //')"
    else
        failed=$((failed + 1)); echo "e2e FAIL $name (rc $rc, $(e2e_elapsed "$t0") s); its log:"
        sed 's/^/    /' "$E2E_WORK/$name.log"
    fi
done
echo "e2e: $passed passed, $failed failed, $skipped skipped (the $KV_BUILD_BITS-bit build in ${KV_BIN#$KV_ROOT/})"
[ $failed -eq 0 ]
