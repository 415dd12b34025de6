#!/usr/bin/env bash
# The 64-bit build reaches 32-bit applications through its 32-bit hook host: started with the
# program, it answers the switch request in the 32-bit notepad (the log names the 32-bit
# library), is started again by the watchdog when it dies, and ends with the program, after
# which the hotkey letter reaches notepad.
. "$(dirname "$0")/../support.sh"
. "$KV_ROOT/scripts/lib/host.sh"
[ "$KV_BUILD_BITS" = 64 ] || skip "the 32-bit build runs alone, without the 32-bit hook host"
kv_host_runs_32bit || skip "the 32-bit hook host cannot run: $(kv_host_32bit_reason)"
app="$E2E_WORK/app-host32"
kv_install_app "$app"
kv_install_host32 "$app"
kv_reset_registry
"$E2E_WINE" reg add "$KV_REG_KEY" /v ChangeLangTo0 /t REG_SZ /d 67699721 /f >/dev/null 2>&1 ||
    fail "cannot write ChangeLangTo0"
kv_set_dword SCChangeLangTo0 81

e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
check e2e_wait_log "$app/Log.txt" ' : 32-bit hook host started$' 3
_host() { kv_prefix_has_process KarmuxHost32.exe; }
check e2e_poll 5 0.1 _host

KV_BUILD_BITS=32 kv_start_notepad   # the 32-bit notepad of the prefix
e2e_type aqb
kv_notepad_text_is ab || fail "the hotkey reached the 32-bit notepad or a letter was lost"
check e2e_wait_log "$app/Log.txt" ' : Layout switch answered by the 32-bit hook library$' 3
grep -q 'Layout switch not answered' "$app/Log.txt" && fail "a switch fell back: $(kv_log_texts "$app/Log.txt" | grep 'Layout switch')"

# The host dies: the watchdog starts it again, and the next switch is answered through it.
host_pid=$(for p in $(e2e_prefix_pids); do tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -qF KarmuxHost32.exe && echo "$p"; done | head -n1)
[ -n "$host_pid" ] || fail "no host process id"
kill -9 "$host_pid"
check e2e_wait_log "$app/Log.txt" ' : 32-bit hook host had ended and was started again$' 5
check e2e_poll 5 0.1 _host
e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad lost the foreground"
sleep 0.5   # the new host's hooks reach notepad with its next message
e2e_type cqd
kv_notepad_text_is abcd || fail "typing after the restart lost a letter"
answers=$(kv_log_texts "$app/Log.txt" | grep -c '^Layout switch answered by the 32-bit hook library$')
[ "$answers" -ge 2 ] || fail "the switch after the restart was not answered by the 32-bit library: $(kv_log_texts "$app/Log.txt" | grep 'Layout switch')"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
_no_host() { ! _host; }
e2e_poll 5 0.1 _no_host || fail "the 32-bit hook host outlived the program"
e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad lost the foreground"
e2e_type q
kv_notepad_text_is abcdq || fail "the hotkey letter is still swallowed after the program ended"
e2e_log "PASS host32"
