#!/usr/bin/env bash
# A second start while one runs ends within 2 s without a window; the first keeps running.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-second"
kv_install_app "$app"
kv_reset_registry

e2e_start first "$app/Karmux.exe"
first=$E2E_LAST_PID
check e2e_poll 10 0.2 kv_window_title_is TFirstForm KarmuxFirstForm
marker=$(kv_find TFirstForm | grep -o 'hwnd=0x[0-9a-f]*')

t0=$(e2e_now)
e2e_start second "$app/Karmux.exe"
second=$E2E_LAST_PID
kv_wait_exit "$second" 2 || fail "second instance still running after 2 s"
e2e_log "second instance ended after $(e2e_elapsed "$t0") s"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
[ "$(kv_find TFirstForm | grep -o 'hwnd=0x[0-9a-f]*')" = "$marker" ] || fail "the marker window changed"
e2e_log "PASS second_instance"
