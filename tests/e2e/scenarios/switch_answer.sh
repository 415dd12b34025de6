#!/usr/bin/env bash
# A direct-switch hotkey set to a plain letter posts the switch request (1175) to notepad of the
# build's bitness; the hook library inside notepad answers it, and the log says the answer came
# from the library, not from the 100 ms fallback; after the program ends the letter reaches
# notepad again. (Wine has one layout, so the next-layout hotkey has nothing to switch to and
# posts no request: the direct switch to that one layout does.)
# The 64-bit build runs as shipped, with its 32-bit hook host beside it where the host can run:
# the host's hooks must not keep the 64-bit library out of a 64-bit application, and no host
# may remain after the program (host32.sh shows the host's own part).
. "$(dirname "$0")/../support.sh"
. "$KV_ROOT/scripts/lib/host.sh"
app="$E2E_WORK/app-switch-answer"
kv_install_app "$app"
with_host=0
if [ "$KV_BUILD_BITS" = 64 ] && kv_host_runs_32bit; then
    kv_install_host32 "$app"
    with_host=1
fi
kv_reset_registry
"$E2E_WINE" reg add "$KV_REG_KEY" /v ChangeLangTo0 /t REG_SZ /d 67699721 /f >/dev/null 2>&1 ||
    fail "cannot write ChangeLangTo0"   # 0x04090409, US English, Wine's one layout
kv_set_dword SCChangeLangTo0 81          # Q, no modifiers

e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
_host() { kv_prefix_has_process KarmuxHost32.exe; }
if [ "$with_host" = 1 ]; then
    check e2e_wait_log "$app/Log.txt" ' : 32-bit hook host started$' 3
    check e2e_poll 5 0.1 _host
fi

kv_start_notepad
e2e_type aqb
kv_notepad_text_is ab || fail "the hotkey reached notepad or a letter was lost"
check e2e_wait_log "$app/Log.txt" ' : Layout switch answered by the hook library$' 3
grep -q 'Layout switch not answered' "$app/Log.txt" && fail "a switch fell back: $(kv_log_texts "$app/Log.txt" | grep 'Layout switch')"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end after its marker window was closed"
_no_host() { ! _host; }
e2e_poll 5 0.1 _no_host || fail "the 32-bit hook host outlived the program"
e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad lost the foreground"
e2e_type q
kv_notepad_text_is abq || fail "the hotkey letter is still swallowed after the program ended"
e2e_log "PASS switch_answer ($([ "$with_host" = 1 ] && echo "with" || echo "without") the 32-bit hook host)"
