#!/usr/bin/env bash
# Runs every e2e scenario against the Windows build, each in its own bash with a time bound,
# and ends with "e2e: N passed, N failed".
#   tests/e2e/run.sh [BIN_DIR] [SCENARIO_NAME...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KV_ROOT=$(cd "$here/../.." && pwd)
export KV_BIN=${1:-$KV_ROOT/build/win32/bin}
shift || true
export E2E_WORK=${E2E_WORK:-$KV_ROOT/build/e2e}
export E2E_TOOLS=$KV_BIN
scenario_timeout=${KV_E2E_SCENARIO_TIMEOUT:-120}

. "$here/lib.sh"
trap e2e_cleanup EXIT
# Our own X server unless told to use the caller's, so tests never pop up on a desktop.
if [ -z "${KV_E2E_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then e2e_start_xvfb 91 || exit 1; fi
e2e_init_prefix "$E2E_WORK/prefix" || exit 1

names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(cd "$here/scenarios" && ls *.sh | sed 's/\.sh$//'))
passed=0 failed=0
for name in "${names[@]}"; do
    t0=$(e2e_now)
    # Separate process group, so a hung scenario and all it started can be stopped.
    E2E_XVFB_PID="" timeout -k 5 "$scenario_timeout" bash "$here/scenarios/$name.sh" >"$E2E_WORK/$name.log" 2>&1
    rc=$?
    e2e_stop_prefix "$WINEPREFIX"
    if [ $rc -eq 0 ]; then
        passed=$((passed + 1)); echo "e2e PASS $name ($(e2e_elapsed "$t0") s)"
    else
        failed=$((failed + 1)); echo "e2e FAIL $name (rc $rc, $(e2e_elapsed "$t0") s); its log:"
        sed 's/^/    /' "$E2E_WORK/$name.log"
    fi
done
echo "e2e: $passed passed, $failed failed"
[ $failed -eq 0 ]
