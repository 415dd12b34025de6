#!/usr/bin/env bash
# Usage: tests/fuzz/run_fuzzers.sh [SECONDS]   (default 60 per fuzzer)
# Builds the fuzzers with Clang in build/fuzz, replays the kept regression inputs, then fuzzes
# each for SECONDS from its kept inputs (the language fuzzer also from the repository's Lang
# files). A new crash input is copied to tests/fuzz/regressions/<fuzzer>/ and makes the script fail.
set -euo pipefail

seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: $0 [SECONDS]" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$root/build/fuzz
fuzzers=(language_file_fuzzer geometry_fuzzer icon_pack_fuzzer never_ask_fuzzer clipboard_stream_fuzzer version_file_fuzzer)

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: apt-get install clang libclang-rt-14-dev" >&2
  exit 2
fi

# The whole project when it includes this folder, else this folder alone (no GoogleTest needed).
if grep -q 'tests/fuzz' "$root/CMakeLists.txt"; then source_dir=$root; else source_dir=$here; fi
if [[ -f $build/CMakeCache.txt ]] && ! grep -q "^CMAKE_HOME_DIRECTORY:INTERNAL=$source_dir\$" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S "$source_dir" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 --target "${fuzzers[@]}"

failed=0
passed=0
for fuzzer in "${fuzzers[@]}"; do
  binary=$(find "$build" -type f -name "$fuzzer" -perm -u+x | head -n 1)
  regressions=$here/regressions/$fuzzer
  corpus=$build/corpus/$fuzzer
  artifacts=$build/artifacts/$fuzzer
  mkdir -p "$regressions" "$corpus" "$artifacts"
  if [[ $fuzzer == language_file_fuzzer ]]; then cp "$root"/Lang/*.txt "$corpus"/; fi
  dict=()
  [[ -f $here/$fuzzer.dict ]] && dict=(-dict="$here/$fuzzer.dict")

  shopt -s nullglob
  kept=("$regressions"/*)
  shopt -u nullglob
  if ((${#kept[@]})) && ! "$binary" "${kept[@]}" >"$artifacts/replay.log" 2>&1; then
    echo "$fuzzer: a kept regression input fails; see $artifacts/replay.log" >&2
    failed=$((failed + 1))
    continue
  fi

  rm -f "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*
  status=0
  timeout $((seconds + 120)) "$binary" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$regressions" >"$artifacts/fuzz.log" 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units|^Done|^INFO: Loaded' "$artifacts/fuzz.log" || true

  shopt -s nullglob
  found=("$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*)
  shopt -u nullglob
  if ((${#found[@]})) || ((status != 0)); then
    for input in "${found[@]}"; do cp "$input" "$regressions/"; done
    echo "$fuzzer: FAILED (exit $status, ${#found[@]} input(s) kept in $regressions); log: $artifacts/fuzz.log" >&2
    failed=$((failed + 1))
  else
    echo "$fuzzer: ok for ${seconds}s"
    passed=$((passed + 1))
  fi
done

echo "fuzz: $passed passed, $failed failed"
((failed == 0))
