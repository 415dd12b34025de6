#!/usr/bin/env bash
# A hotkey entered by pressing it: on the hotkey page, "Change Hotkey..." opens the capture
# dialog, left Shift+Q pressed with xdotool (the modifier by key code) is captured, Tab moves to
# OK without being captured and OK confirms; after OK in the settings window the new switch hotkey is stored and,
# with notepad in front, its key never reaches notepad while other keys do. Another application
# coming to the front closes the capture dialog as Cancel.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-settings-hotkey"
kv_install_app "$app"
kv_reset_registry
. "$(dirname "$0")/../settings_support.sh"
capture_shown() { kv_find TGetShortKeyForm | grep -q 'visible=1'; }
capture_gone() { ! capture_shown; }
new_shortcut() { e2e_dialog_text class:TGetShortKeyForm 106; }

start_program
open_settings
check e2e_poll 10 0.2 settings_shown
click_child SysTreeView32 ''
e2e_key Home Down
sleep 0.4
# The third row is the switch to the next layout: first row clicked, then down twice.
rect=$(child_line SysListView32 '' | grep -o 'rect=[-0-9,]*' | cut -d= -f2)
IFS=, read -r l t r b <<<"$rect"
xdotool mousemove $((l + 40)) $((t + 30)) click 1
sleep 0.3
e2e_key Down Down
# Notepad started and in front while the dialog captures: the dialog closes, nothing is taken.
click_child Button "$(text_in en 80)"
check e2e_poll 5 0.2 capture_shown
xdotool keydown 50 key 25 keyup 50   # Shift+W
kv_start_notepad
# Out of the settings window's way.
xdotool windowmove "$KV_NOTEPAD_XID" 980 640
e2e_poll 5 0.2 capture_gone || fail "the capture dialog stayed open after notepad came to the front"
[ -z "$(e2e_gettext "$KV_NOTEPAD_TITLE")" ] || fail "keys of the capture reached notepad: [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
e2e_wintool setfg class:TMainForm >/dev/null
sleep 0.5
e2e_log "the capture dialog closed when notepad came to the front"

click_child Button "$(text_in en 80)"
check e2e_poll 5 0.2 capture_shown
# Where notepad took the foreground before, the dialog may open behind it: a click in the new
# hotkey field brings it to the front and starts the capture, as a user would.
KV_TOP=TGetShortKeyForm click_child Edit '' 2
e2e_log "in front: $(e2e_fg | tr -d '\r')"
# Shift_L is key code 50, q 24. The capture starts when the field has the focus: pressed again
# if the first press came before that.
expected=$(text_in en 6)
for attempt in 1 2 3; do
    sleep 0.5
    xdotool keydown 50 key 24 keyup 50
    sleep 0.5
    captured=$(new_shortcut)
    [ -n "$captured" ] && [ "$captured" != "$expected" ] && break
done
e2e_log "captured: [$captured]; notepad holds [$(e2e_gettext "$KV_NOTEPAD_TITLE")]; in front: $(e2e_fg | tr -d "\r" | grep -o "class=[^ ]*")"
[ -n "$captured" ] || fail "nothing captured"
e2e_screenshot "$KV_ARTIFACTS/settings-capture-dialog.png"
# The preview box (the dialog's one tall static) shows the keyboard with the captured keys in the
# pressed colour, not a flat box.
preview=$(e2e_wintool children class:TGetShortKeyForm | tr -d '\r' | grep "class='Static'" | grep -o 'rect=[-0-9,]*' |
    cut -d= -f2 | awk -F, '$4 - $2 > 60 { print; exit }')
[ -n "$preview" ] || fail "no preview box in the capture dialog"
IFS=, read -r l t r b <<<"$preview"
crop="$((r - l))x$((b - t))+$l+$t"
colours=$(convert "$KV_ARTIFACTS/settings-capture-dialog.png" -crop "$crop" -format %k info:)
navy=$(convert "$KV_ARTIFACTS/settings-capture-dialog.png" -crop "$crop" -fill white +opaque 'rgb(0,0,128)' \
    -fill black -opaque 'rgb(0,0,128)' -negate -format '%[fx:int(mean*w*h)]' info:)
e2e_log "preview box $crop: $colours colours, $navy pixels in the pressed colour"
[ "$colours" -gt 8 ] || fail "the preview box is flat ($colours colours)"
[ "$navy" -gt 50 ] || fail "no pressed key in the preview ($navy pixels in the pressed colour)"
# Tab moves to OK and is not captured.
e2e_key Tab
sleep 0.3
[ "$(new_shortcut)" = "$captured" ] || fail "Tab changed the captured hotkey to [$(new_shortcut)]"
e2e_screenshot "$KV_ARTIFACTS/settings-capture-dialog-after-tab.png"
KV_TOP=TGetShortKeyForm click_child Button "$(text_in en 101)"
check e2e_poll 5 0.2 capture_gone
sleep 1
shot_settings settings-hotkey-captured
click_child Button "$(text_in en 101)"   # OK
check e2e_poll 5 0.2 _settings_gone
stored=$(e2e_reg_value "$KV_REG_KEY" SCSwitchLang)
[ "$stored" = 0x1051 ] || fail "SCSwitchLang after OK: [$stored], expected 0x1051 (left Shift + Q)"

# The captured hotkey is the program's now: its key is swallowed, others pass.
e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad did not come to the front"
e2e_type a
xdotool keydown 50 key 24 keyup 50
e2e_type b
kv_notepad_text_is ab || fail "left Shift+Q reached notepad: [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
e2e_type q
kv_notepad_text_is abq || fail "a plain q did not reach notepad: [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS settings_hotkey"
