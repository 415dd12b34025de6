#!/usr/bin/env bash
# Without language files the program says so in fixed English and ends.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-nolanguage"
kv_install_app "$app"
rm -rf "$app/Lang"
kv_reset_registry

e2e_start karmux "$app/Karmux.exe" /debug
pid=$E2E_LAST_PID
_error_box() { kv_window_title_is '#32770' Error; }
check e2e_poll 10 0.2 _error_box
text=$(e2e_dialog_text 'class:#32770' 65535 | tr -d '\r')
expected="Cannot load language data!

Check folder 'Lang'."
[ "$text" = "$expected" ] || fail "message: $text"
check e2e_wintool post 'class:#32770' 273 1 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
[ "$(kv_log_texts "$app/Log.txt" | tail -n1)" = Finalize ] || fail "last log line is not Finalize"
e2e_log "PASS no_language"
