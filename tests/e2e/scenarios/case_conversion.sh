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

# Every change of the clipboard from here on, with its text once it holds still: a clipboard
# that was restored shows the converted text before the user's text, one never touched shows
# neither.
e2e_start clipwatch "$E2E_TOOLS/wintool.exe" clipwatch 100000
clipwatch=$E2E_LAST_PID
clips="$E2E_WORK/clipwatch.out"
_watching() { grep -q '^ready' "$clips"; }
check e2e_poll 10 0.1 _watching
# kv_clipboard_went FROM_LINE CONVERTED RESTORED: after line FROM_LINE of the watch, the
# clipboard held CONVERTED and then RESTORED, and nothing after that.
kv_clipboard_went() {
    tr -d '\r' <"$clips" | tail -n +"$(($1 + 1))" | awk -v converted="$2" -v restored="$3" '
        /^text / { text = substr($0, index($0, "\x27") + 1); text = substr(text, 1, length(text) - 1)
                   if (text == converted) { seen = 1; back = 0 } else back = seen && text == restored }
        END { exit !(seen && back) }'
}
kv_clip_lines() { tr -d '\r' <"$clips" | wc -l; }

mark=$(kv_clip_lines)
e2e_key ctrl+a
t0=$(e2e_now)
e2e_key super+Up    # the default upper-case hotkey: left Win + Up
kv_notepad_text_is "HELLO WORLD. BYE" 5 || fail "upper case: notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
e2e_log "upper case: hotkey to pasted text in $(e2e_elapsed "$t0") s"
e2e_poll 3 0.1 kv_clipboard_went "$mark" "HELLO WORLD. BYE" "earlier text" ||
    fail "upper case: the clipboard did not hold the converted text and then the earlier text: $(tail -n +$((mark + 1)) "$clips")"
e2e_log "the earlier clipboard text is back $(e2e_elapsed "$t0") s after the hotkey"

mark=$(kv_clip_lines)
e2e_key ctrl+a
e2e_key super+7
kv_notepad_text_is "Hello world. Bye" 5 || fail "sentence case: notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
e2e_poll 3 0.1 kv_clipboard_went "$mark" "Hello world. Bye" "earlier text" ||
    fail "sentence case: the clipboard did not hold the converted text and then the earlier text: $(tail -n +$((mark + 1)) "$clips")"
_clipboard_is() { [ "$(e2e_wintool clipget | tr -d '\r')" = "$1" ]; }
check _clipboard_is "earlier text"
e2e_stop "$clipwatch"
mkdir -p "$KV_ARTIFACTS" && e2e_screenshot "$KV_ARTIFACTS/case-conversion.png"
e2e_log "PASS case_conversion"
