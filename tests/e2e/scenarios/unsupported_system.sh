#!/usr/bin/env bash
# On Windows 98 (Wine told so for our program alone) only the gate message shows: no log, no
# companion, no marker window.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-win98"
kv_install_app "$app"
kv_reset_registry
appdefaults='HKCU\Software\Wine\AppDefaults\Karmux.exe'
"$E2E_WINE" reg add "$appdefaults" /v Version /d win98 /f >/dev/null 2>&1 || fail "cannot set the Windows version"
_restore_version() { "$E2E_WINE" reg delete "$appdefaults" /f >/dev/null 2>&1; e2e_cleanup; }
trap _restore_version EXIT

e2e_start karmux "$app/Karmux.exe" /debug
pid=$E2E_LAST_PID
_gate_box() { kv_window_title_is '#32770' Tolvex; }
check e2e_poll 10 0.2 _gate_box
text=$(e2e_dialog_text 'class:#32770' 65535 | tr -d '\r')
expected='Tolvex works only on Windows 2000/XP/2003/Vista based operating systems.

Tolvex requires features present only in these operating systems.
All older versions of Windows are not supported!'
[ "$text" = "$expected" ] || fail "gate text: $text"
kv_no_window TFirstForm || fail "a marker window exists"
kv_no_window KarmuxCm || fail "the companion was started"
[ ! -e "$app/Log.txt" ] || fail "Log.txt was written"
e2e_screenshot "$KV_ARTIFACTS/unsupported-system.png"

check e2e_wintool post 'class:#32770' 273 1 0
kv_wait_exit "$pid" 5 || fail "the program did not end after the gate message"
e2e_log "PASS unsupported_system"
