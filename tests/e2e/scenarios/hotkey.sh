#!/usr/bin/env bash
# A language hotkey set to a plain letter: its key-down never reaches the application while the
# program runs, other keys pass untouched; after the program ends no hook is left behind.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-hotkey"
kv_install_app "$app"
kv_reset_registry
kv_set_dword SCSwitchLang 81   # Q, no modifiers

e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
kv_log_in_order "$app/Log.txt" Start Run || fail "Log.txt lacks Start then Run: $(kv_log_texts "$app/Log.txt")"

kv_start_notepad
e2e_type aqb
kv_notepad_text_is ab || fail "the hotkey reached notepad or a letter was lost"
e2e_type cdxyz
kv_notepad_text_is abcdxyz || fail "plain letters did not pass untouched"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end after its marker window was closed"
kv_log_in_order "$app/Log.txt" Start Run Finalize Stop || fail "Log.txt lacks Finalize then Stop: $(kv_log_texts "$app/Log.txt")"
[ "$(kv_log_texts "$app/Log.txt" | tail -n1)" = Stop ] || fail "last log line is not Stop"

kill -0 "$KV_NOTEPAD_PID" 2>/dev/null || fail "notepad ended with the program"
e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad lost the foreground"
e2e_type q
kv_notepad_text_is abcdxyzq || fail "the hotkey letter is still swallowed after the program ended"
e2e_log "PASS hotkey"
