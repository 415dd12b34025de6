#!/usr/bin/env bash
# The floating language panel: hidden on the first start, shown by the tray's item at the bottom
# right of the screen with the US flag and its name; a click on it leaves notepad in front and
# typing goes on; dragging moves it; its FLG values and place are in the registry after exit and
# bring it back there after a restart, where the list kind shows the US flag marked as current.
# Screenshots: build/e2e/artifacts/panel-*.png.
. "$(dirname "$0")/../support.sh"
. "$(dirname "$0")/../settings_support.sh"
app="$E2E_WORK/app-panel"
kv_install_app "$app"
kv_reset_registry

_panel() { kv_find TFloatingWindowLangForm; }
_panel_visible() { _panel | grep -q 'visible=1'; }
_panel_rect() { _panel | sed -n 's/.*rect=\([-0-9,]*\).*/\1/p'; }
_notepad_in_front() { e2e_fg | grep -qF "title='$KV_NOTEPAD_TITLE'"; }
_reg_is() { [ "$(e2e_reg_value "$KV_REG_KEY" "$1")" = "$2" ] || fail "$1 is [$(e2e_reg_value "$KV_REG_KEY" "$1")], not $2"; }
# "r,g,b" -> true when blue leads red by 40 and more (the selection colour, the flag's canton)
_bluish() { IFS=, read -r r g b <<<"$1"; [ $((b - r)) -ge 40 ]; }
_greyish() { IFS=, read -r r g b <<<"$1"; [ $((r > b ? r - b : b - r)) -le 12 ] && [ "$r" -ge 150 ]; }

start_program
_panel | grep -q 'visible=0' || fail "the panel is not hidden on the first start: $(_panel)"

# The tray's third item (Turn Off, Play Sounds, Language Panel) shows it. Before notepad starts:
# the menu gets the keys only while no other program is in front.
before=$(menus_shown)
check e2e_tray_click 0 3
check wait_menu "$before"
last_menu | grep -q '^Turn Off | Play Sounds | Language Panel | ' || fail "tray menu: $(last_menu)"
e2e_key Down Down Down Return
e2e_poll 5 0.2 _panel_visible || fail "the tray item did not show the panel: $(_panel)"
IFS=, read -r L T R B <<<"$(_panel_rect)"
e2e_log "panel at $L,$T,$R,$B"
[ "$L,$T,$R,$B" = "1147,778,1280,797" ] || fail "the panel is not 133 x 19 at the screen's bottom right: $L,$T,$R,$B"
_reg_is FLGVisible 0x1
_reg_is FLGKind 0x1
_reg_is FLGTransparent 0x50
_reg_is FLGLocked 0x0
_reg_is FLGShowWithKeyboard 0x0
kv_start_notepad
e2e_type "ab"
check kv_notepad_text_is "ab"
sleep 0.3
e2e_screenshot "$KV_ARTIFACTS/panel-flag-and-name.png"
e2e_screenshot "$KV_ARTIFACTS/panel-flag-and-name-zoom.png" "160x40+$((L - 20))+$((T - 15))"
face=$(e2e_pixel "$KV_ARTIFACTS/panel-flag-and-name.png" $((R - 4)) $((T + 3)))
canton=$(e2e_pixel "$KV_ARTIFACTS/panel-flag-and-name.png" $((L + 5)) $((T + 6)))
e2e_log "button face $face, flag canton $canton"
_greyish "$face" || fail "the single flag's button is not the button face: $face"
_bluish "$canton" || fail "no US flag's canton at the flag's place: $canton"

# A click steps the layout and leaves the focus in notepad, where typing goes on.
xdotool mousemove $((L + 60)) $((T + 9)) click 1
sleep 0.6
_notepad_in_front || fail "a click on the panel took the focus: $(e2e_fg)"
e2e_type "cd"
kv_notepad_text_is "abcd" || fail "typing after a click on the panel gave [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"

# Dragging moves it by the mouse's way and saves the place at once.
xdotool mousemove $((L + 60)) $((T + 9)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((L + 60 - step * 20)) $((T + 9 - step * 30)); sleep 0.05; done
xdotool mouseup 1
_panel_moved() { [ "$(_panel_rect)" != "$L,$T,$R,$B" ]; }
e2e_poll 3 0.2 _panel_moved
IFS=, read -r L2 T2 R2 B2 <<<"$(_panel_rect)"
e2e_log "dragged to $L2,$T2"
[ "$L2,$T2" = "$((L - 100)),$((T - 150))" ] || fail "the drag moved the panel to $L2,$T2, not $((L - 100)),$((T - 150))"
_reg_is TFloatingWindowLangFormLeft "$(printf '0x%x' "$L2")"
_reg_is TFloatingWindowLangFormTop "$(printf '0x%x' "$T2")"
_notepad_in_front || fail "dragging the panel took the focus: $(e2e_fg)"
e2e_type "e"
check kv_notepad_text_is "abcde"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
_reg_is FLGVisible 0x1
_reg_is FLGKind 0x1
_reg_is TFloatingWindowLangFormLeft "$(printf '0x%x' "$L2")"
_reg_is TFloatingWindowLangFormTop "$(printf '0x%x' "$T2")"

# After a restart it is back where it was left, shown; as a list with names it marks the US
# layout, the current one, as selected.
kv_set_dword FLGKind 4
start_program
e2e_poll 5 0.2 _panel_visible || fail "the panel did not come back after the restart: $(_panel)"
IFS=, read -r L3 T3 R3 B3 <<<"$(_panel_rect)"
e2e_log "after the restart at $L3,$T3,$R3,$B3"
[ "$L3,$T3" = "$L2,$T2" ] || fail "the panel came back at $L3,$T3, not $L2,$T2"
[ $((R3 - L3)) = 133 ] && [ $((B3 - T3)) = 19 ] || fail "one layout with its name is not 133 x 19: $L3,$T3,$R3,$B3"
sleep 0.3
e2e_screenshot "$KV_ARTIFACTS/panel-us-marked.png"
e2e_screenshot "$KV_ARTIFACTS/panel-us-marked-zoom.png" "160x40+$((L3 - 20))+$((T3 - 15))"
marked=$(e2e_pixel "$KV_ARTIFACTS/panel-us-marked.png" $((R3 - 4)) $((T3 + 3)))
e2e_log "selected button $marked"
_bluish "$marked" || fail "the current layout's button is not drawn selected: $marked"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end after the restart"
e2e_log "PASS language_panel"
