#!/usr/bin/env bash
# Times the GDI keyboard image of the Windows build under Wine on its own Xvfb.
# Usage: tests/bench/keyboard_render_bench_wine.sh [BUILD_DIR=build/win32] [DISPLAY_NUMBER=181]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/win32}
display=${2:-181}
cd "$root"
source scripts/lib/setup.sh
kv_use_host_wine
export E2E_TOOLS=$build/bin E2E_WORK=$root/build/bench-wine
. tests/e2e/lib.sh
e2e_start_xvfb "$display"
trap 'e2e_stop_prefix "$root/build/bench-wine/prefix"; e2e_stop "$E2E_XVFB_PID"' EXIT
e2e_init_prefix "$root/build/bench-wine/prefix" >/dev/null
"$E2E_WINE" "$build/bin/kv_keyboard_render_bench_win32.exe"
