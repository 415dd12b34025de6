#!/usr/bin/env bash
# Instructions per call of the hook procedure and of the hotkey lookup, counted by callgrind.
#   tests/bench/instructions_per_event.sh [BENCH_BIN_DIR]   (a Release build is meaningful)
set -euo pipefail
bin=${1:-build/bench-release/bin}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# per_call BINARY FILTER FUNCTION: inclusive instructions of FUNCTION divided by its calls.
per_call() {
    valgrind --tool=callgrind --callgrind-out-file="$out/cg" "$bin/$1" --benchmark_filter="$2" \
        --benchmark_min_time=0.01 >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --tree=caller "$out/cg" 2>/dev/null |
        awk -v fn="$3" -v bench="$2" '
            # A block lists the callers ("<", with call counts) above the function itself ("*").
            /^ *[0-9,]+ .* < / { n = $0; sub(/.*\(/, "", n); sub(/x\).*/, "", n); gsub(",", "", n); calls += n; next }
            /^ *[0-9,]+ .* \* / {
                if ($0 ~ fn "\\(") { ir = $1; gsub(",", "", ir); total += ir; all += calls }
                calls = 0; next
            }
            { calls = 0 }
            END { if (all) printf "%-40s %-22s %6.0f instructions per call (%d calls)\n", fn, bench, total / all, all }'
}

per_call kv_hook_event_bench LetterEvent 'KeyboardHookProcedure::OnKeyEvent'
per_call kv_hook_event_bench ModifierEvent 'KeyboardHookProcedure::OnKeyEvent'
# The same with the on-screen keyboard hidden and shown (letter /0, left Ctrl /1); goal: shown at
# most twice hidden.
for arg in 0 1; do
    per_call kv_hook_event_bench "KeyboardHidden/$arg" 'KeyboardHookProcedure::OnKeyEvent'
    per_call kv_hook_event_bench "KeyboardShown/$arg" 'KeyboardHookProcedure::OnKeyEvent'
done
per_call kv_match_hotkey_bench 'LetterWithoutHotkey/8' 'TKvActions::MatchHotkey'
per_call kv_match_hotkey_bench 'ModifierOnly/8' 'TKvActions::MatchHotkey'
