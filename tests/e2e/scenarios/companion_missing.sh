#!/usr/bin/env bash
# Without KarmuxCm.exe the program waits for it, reports the missing file and ends.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-nocompanion"
kv_install_app "$app" --without-companion
kv_reset_registry

t0=$(e2e_now)
e2e_start karmux "$app/Karmux.exe" /debug
pid=$E2E_LAST_PID
_error_box() { kv_window_title_is '#32770' Error; }
check e2e_poll 15 0.2 _error_box
waited=$(e2e_elapsed "$t0")
e2e_log "error box after $waited s"
awk -v w="$waited" 'BEGIN { exit !(w >= 4.5) }' || fail "the error came before the ~5 s wait ($waited s)"
text=$(e2e_dialog_text 'class:#32770' 65535)
[ "$text" = 'File KarmuxCm.exe is not found!' ] || fail "error text: $text"
e2e_screenshot "$KV_ARTIFACTS/companion-missing.png"

check e2e_wintool post 'class:#32770' 273 1 0   # WM_COMMAND IDOK: the user presses OK
kv_wait_exit "$pid" 5 || fail "the program did not end after the error"
[ "$(kv_log_texts "$app/Log.txt" | tail -n1)" = Finalize ] || fail "last log line is not Finalize"
e2e_log "PASS companion_missing"
