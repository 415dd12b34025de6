#!/usr/bin/env bash
# A session unlock (WM_WTSSESSION_CHANGE with WTS_SESSION_UNLOCK, posted to the application
# window as the system sends it) makes the program put its keyboard hook back, as the log says;
# the hotkey works afterwards. A lock notification changes nothing.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-unlock"
kv_install_app "$app"
kv_reset_registry
kv_set_dword SCSwitchLang 81   # Q, no modifiers

e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
kv_start_notepad
e2e_type aqb
kv_notepad_text_is ab || fail "the hotkey did not work before the unlock"

_reinstalled() { [ "$(kv_log_texts "$app/Log.txt" | grep -c 'Keyboard hook reinstalled: the session was unlocked')" = "$1" ]; }
check e2e_wintool post class:TApplication 689 7 0   # WTS_SESSION_LOCK
sleep 0.5
_reinstalled 0 || fail "a lock put the hook back: $(kv_log_texts "$app/Log.txt")"
check e2e_wintool post class:TApplication 689 8 0   # WTS_SESSION_UNLOCK
e2e_poll 5 0.1 _reinstalled 1 || fail "no reinstall logged after the unlock: $(kv_log_texts "$app/Log.txt")"

e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad lost the foreground"
e2e_type cqd
kv_notepad_text_is abcd || fail "the hotkey did not work after the hook was reinstalled"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_type q
kv_notepad_text_is abcdq || fail "a hook was left behind after the program ended"
e2e_log "PASS session_unlock"
