#!/usr/bin/env bash
# A second start while one runs ends within 2 s without a window; the first keeps running.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-second"
kv_install_app "$app"
kv_reset_registry

# Every window class of the program: the forms of its table, the windows made outside it, the
# companion and message boxes.
classes=($(grep -o '{AppForm::[A-Za-z]*, u"[A-Za-z]*"' "$KV_ROOT/src/app/app_forms.h" | cut -d'"' -f2)
         TApplication TKvMessageWaitForm KarmuxCm '#32770')
[ ${#classes[@]} -ge 12 ] || fail "the program's window classes were not found: ${classes[*]}"
kv_count_windows() { e2e_wintool count "${classes[@]}" | tr -d '\r'; }

e2e_start first "$app/Karmux.exe"
first=$E2E_LAST_PID
check e2e_poll 10 0.2 kv_window_title_is TFirstForm KarmuxFirstForm
marker=$(kv_find TFirstForm | grep -o 'hwnd=0x[0-9a-f]*')
before=$(kv_count_windows)

# The watch sees a window of these classes even when it lives only a few ms, and lasts long
# enough for the second start to run to its end.
e2e_start watch "$E2E_TOOLS/wintool.exe" watch 5000 "${classes[@]}"
watcher=$E2E_LAST_PID
_watching() { grep -q '^ready' "$E2E_WORK/watch.out"; }
check e2e_poll 10 0.1 _watching

t0=$(e2e_now)
e2e_start second "$app/Karmux.exe"
second=$E2E_LAST_PID
kv_wait_exit "$second" 2 || fail "second instance still running after 2 s"
e2e_log "second instance ended after $(e2e_elapsed "$t0") s"
kv_wait_exit "$watcher" 10 || fail "the window watch did not end"
watched=$(tr -d '\r' <"$E2E_WORK/watch.out")
grep -q '^appeared ' <<<"$watched" || fail "the window watch reported nothing: [$watched]"
grep -q '^new ' <<<"$watched" && fail "windows of the program appeared: $(grep '^new ' <<<"$watched")"
after=$(kv_count_windows)
[ "$after" = "$before" ] || fail "windows of the program: $before before the second start, $after after"
e2e_log "windows of the program: $before before and after; none appeared meanwhile"

kill -0 "$first" 2>/dev/null || fail "the first instance ended"
[ "$(kv_find TFirstForm | grep -o 'hwnd=0x[0-9a-f]*')" = "$marker" ] || fail "the marker window changed"
e2e_log "PASS second_instance"
