#!/usr/bin/env bash
# A quick Win+Up chord changes the case of a selection in notepad; the user has let go of both
# keys by the time the program is done, so afterwards no key may be down in the system (a Win
# left down turns the next letter into a Win shortcut), and typing goes on as plain letters.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-held-keys"
kv_install_app "$app"
kv_reset_registry

e2e_start karmux "$app/Karmux.exe" -DEBUG
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

kv_start_notepad
e2e_type "quick chord"
check kv_notepad_text_is "quick chord"

_held_keys() { "$E2E_WINE" "$E2E_TOOLS/heldkeys.exe" | tr -d '\r' | tr '\n' ' '; }
_no_key_held() { "$E2E_WINE" "$E2E_TOOLS/heldkeys.exe" >/dev/null; }
check _no_key_held

for round in 1 2 3; do
    e2e_key ctrl+a
    e2e_key super+Up    # the default upper-case hotkey, pressed and let go at once
    kv_notepad_text_is "QUICK CHORD" 5 || fail "round $round: notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
    # The clipboard comes back 300 ms after the paste; by then every key of the action is done.
    sleep 1
    _no_key_held || fail "round $round: keys held in the system after the chord: $(_held_keys)"
    e2e_log "round $round: upper case, no key held afterwards"

    e2e_type "x"
    kv_notepad_text_is "QUICK CHORDx" || fail "round $round: typing after the chord gave [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
    _no_key_held || fail "round $round: keys held after typing: $(_held_keys)"
    e2e_key BackSpace
    check kv_notepad_text_is "QUICK CHORD"
    e2e_key ctrl+a
    e2e_type "quick chord"
    check kv_notepad_text_is "quick chord"
done
mkdir -p "$KV_ARTIFACTS" && e2e_screenshot "$KV_ARTIFACTS/held-keys.png"
e2e_log "PASS held_keys"
