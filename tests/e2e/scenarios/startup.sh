#!/usr/bin/env bash
# Started with /debug: the marker and companion windows exist and the log shows the start-up,
# switched on ("Start") before the message loop runs.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-startup"
kv_install_app "$app"
kv_reset_registry

e2e_start karmux "$app/Karmux.exe" /debug
check e2e_poll 10 0.2 kv_window_title_is TFirstForm KarmuxFirstForm
check e2e_poll 5 0.2 kv_window_title_is KarmuxCm KarmuxCm
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

expected='Initialize
FirstForm
KvBugMessageForm
DataDM
KvMessageForm
MainKeyboardForm
MainKeyboardBackgroundForm
KvClipboardDM
FloatingWindowLangForm
Start'
# The 64-bit build looks for its 32-bit hook host, which this bare install does not have.
[ "$KV_BUILD_BITS" = 64 ] && expected+='
No 32-bit hook host beside the program: 32-bit applications are not reached'
expected+='
Run'
got=$(kv_log_texts "$app/Log.txt")
[ "$got" = "$expected" ] || fail "Log.txt holds: $got"
e2e_screenshot "$KV_ARTIFACTS/startup.png"
e2e_log "PASS startup"
