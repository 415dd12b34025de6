#!/usr/bin/env bash
# The interface language follows the registry's "Language": English by default, Russian for 1049,
# visible in the caption of the on-screen keyboard window.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-language"
kv_install_app "$app"

kv_keyboard_caption_is() { kv_find TMainKeyboardForm | grep -qF "title='$1'"; }

# kv_start_with_language ID CAPTION : start with that "Language", check the caption, close again
kv_start_with_language() {
    "$E2E_WINE" reg add "$KV_REG_KEY" /v Language /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || fail "cannot write Language"
    e2e_start "language-$1" "$app/Karmux.exe"
    local pid=$E2E_LAST_PID
    check e2e_poll 10 0.2 kv_window_title_is TFirstForm KarmuxFirstForm
    check e2e_poll 5 0.2 kv_keyboard_caption_is "$2"
    check e2e_wintool post class:TFirstForm 16 0 0
    kv_wait_exit "$pid" 5 || fail "the program did not end"
}

kv_reset_registry
kv_start_with_language 1033 'On-Screen Keyboard'
kv_start_with_language 1049 'Экранная клавиатура'
e2e_log "PASS language"
