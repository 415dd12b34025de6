#!/usr/bin/env bash
# Closing the marker window ends the program: "Finalize" logged, then switched off ("Stop"),
# the companion gone.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-shutdown"
kv_install_app "$app"
kv_reset_registry

e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_poll 10 0.2 kv_window_title_is KarmuxCm KarmuxCm
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end after its marker window was closed"
last_two=$(kv_log_texts "$app/Log.txt" | tail -n2 | paste -sd' ')
[ "$last_two" = 'Finalize Stop' ] || fail "the log does not end with Finalize, Stop but with: $last_two"
check e2e_poll 3 0.2 kv_no_window KarmuxCm
_no_companion() { ! kv_prefix_has_process KarmuxCm.exe; }
check e2e_poll 3 0.2 _no_companion
e2e_log "PASS shutdown"
