#!/usr/bin/env bash
# The interface language follows the registry's "Language": English by default, Russian for 1049,
# visible in the caption of the on-screen keyboard window.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-language"
kv_install_app "$app"

kv_keyboard_caption_is() { kv_find TMainKeyboardForm | grep -qF "title='$1'"; }

kv_reset_registry
"$E2E_WINE" reg add "$KV_REG_KEY" /v Language /t REG_DWORD /d 1033 /f >/dev/null 2>&1 || fail "cannot write Language"
e2e_start english "$app/Karmux.exe"
pid=$E2E_LAST_PID
check e2e_poll 10 0.2 kv_window_title_is TFirstForm KarmuxFirstForm
check e2e_poll 5 0.2 kv_keyboard_caption_is 'On-Screen Keyboard'
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"

"$E2E_WINE" reg add "$KV_REG_KEY" /v Language /t REG_DWORD /d 1049 /f >/dev/null 2>&1 || fail "cannot write Language"
e2e_start russian "$app/Karmux.exe"
pid=$E2E_LAST_PID
check e2e_poll 10 0.2 kv_window_title_is TFirstForm KarmuxFirstForm
check e2e_poll 5 0.2 kv_keyboard_caption_is 'Экранная клавиатура'
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS language"
