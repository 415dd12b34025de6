#!/usr/bin/env bash
# Changing the case of a selection in notepad: the text comes back converted, and the user's
# clipboard comes back a moment later. Wine has one keyboard layout, so this is the conversion
# that can run here; the layout conversions are proven on the simulation.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-case"
kv_install_app "$app"
kv_reset_registry
kv_set_dword SCSentenceCase $((0x80 * 256 + 0x37))   # left Win + 7

e2e_start karmux "$app/Karmux.exe" -DEBUG
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

kv_start_notepad
check e2e_wintool clipset "earlier text"
e2e_type "hello world. bye"
check kv_notepad_text_is "hello world. bye"

e2e_key ctrl+a
t0=$(e2e_now)
e2e_key super+Up    # the default upper-case hotkey: left Win + Up
kv_notepad_text_is "HELLO WORLD. BYE" 5 || fail "upper case: notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
e2e_log "upper case: hotkey to pasted text in $(e2e_elapsed "$t0") s"
_clipboard_is() { [ "$(e2e_wintool clipget | tr -d '\r')" = "$1" ]; }
check e2e_poll 2 0.1 _clipboard_is "earlier text"
e2e_log "the earlier clipboard text is back $(e2e_elapsed "$t0") s after the hotkey"

e2e_key ctrl+a
e2e_key super+7
kv_notepad_text_is "Hello world. Bye" 5 || fail "sentence case: notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
check e2e_poll 2 0.1 _clipboard_is "earlier text"
mkdir -p "$KV_ARTIFACTS" && e2e_screenshot "$KV_ARTIFACTS/case-conversion.png"
e2e_log "PASS case_conversion"
