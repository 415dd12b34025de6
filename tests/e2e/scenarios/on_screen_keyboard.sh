#!/usr/bin/env bash
# The on-screen keyboard: with auto-hide off it is up from the start, floats over notepad without
# ever taking the focus (typing goes on into notepad after a click on a key), shows the hint of
# notepad's icon pack over a key, moves when dragged by an empty spot and keeps the place, its pin
# button switches auto-hide on and its close button hides it. Screenshots:
# build/e2e/artifacts/osk-*.png.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-osk"
kv_install_app "$app"
kv_reset_registry
kv_set_dword KeyboardAutoHide 0
kv_set_dword ShowIconApp 1
# A known place below notepad (Wine stacks a window raised through X over top-most ones) and away
# from the screen's edges, so moves are not snapped.
kv_set_dword TMainKeyboardFormLeft 300
kv_set_dword TMainKeyboardFormTop 556

e2e_start karmux "$app/Karmux.exe" -DEBUG
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

# "hwnd=.. rect=l,t,r,b visible=1" of the keyboard window
_osk() { kv_find TMainKeyboardForm; }
_osk_visible() { _osk | grep -q 'visible=1'; }
_osk_rect() { _osk | sed -n 's/.*rect=\([-0-9,]*\).*/\1/p'; }
e2e_poll 5 0.2 _osk_visible || fail "the keyboard is not shown with auto-hide off: $(_osk)"
IFS=, read -r L T R B <<<"$(_osk_rect)"
e2e_log "keyboard at $L,$T,$R,$B"
[ "$L" = 300 ] && [ "$T" = 556 ] || fail "the keyboard is not at its saved place: $L,$T"
[ $((R - L)) -ge 700 ] && [ $((B - T)) -ge 200 ] || fail "the keyboard has not the geometry's size: $L,$T,$R,$B"
kv_find TMainKeyboardBackgroundForm | grep -q "rect=$L,$T,$R,$B visible=1" ||
    fail "the backdrop is not exactly behind the keyboard: $(kv_find TMainKeyboardBackgroundForm)"

kv_start_notepad
e2e_screenshot "$KV_ARTIFACTS/osk-shown.png"

# Clicking a key leaves notepad in front: typing goes on into it.
e2e_type "ab"
check kv_notepad_text_is "ab"
xdotool mousemove $((L + 81)) $((T + 152)) click 1   # the A key
sleep 0.5
e2e_fg | grep -qF "title='$KV_NOTEPAD_TITLE'" || fail "a click on the keyboard took the focus: $(e2e_fg)"
e2e_type "cd"
kv_notepad_text_is "abcd" || fail "typing after a click on the keyboard gave [$(e2e_gettext "$KV_NOTEPAD_TITLE")]"

# Ctrl held over S with notepad in front: notepad's icon pack names the key's action in the hint.
xdotool mousemove $((L + 115)) $((T + 152))
sleep 0.8
xdotool keydown 37   # left Ctrl
_hint_is_save() { kv_find TKvKeyboardHint | grep -q "title='Save'.*visible=1"; }
e2e_poll 3 0.2 _hint_is_save || { xdotool keyup 37; fail "no hint 'Save' over S with Ctrl held: $(kv_find TKvKeyboardHint)"; }
e2e_screenshot "$KV_ARTIFACTS/osk-hint-save.png"
xdotool keyup 37
xdotool mousemove $((L + 600)) $((T + 8))
e2e_fg | grep -qF "title='$KV_NOTEPAD_TITLE'" || fail "the hint took the focus: $(e2e_fg)"

# Dragging an empty spot of the top strip moves both windows; the place is saved at once.
xdotool mousemove $((L + 600)) $((T + 8)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((L + 600 + step * 20)) $((T + 8 - step * 10)); sleep 0.05; done
xdotool mouseup 1
# Hiding the hint on the way can hold the program up to 2 s under Wine without a window manager.
_osk_moved() { [ "$(_osk_rect)" != "$L,$T,$R,$B" ]; }
e2e_poll 4 0.2 _osk_moved
IFS=, read -r L2 T2 R2 B2 <<<"$(_osk_rect)"
e2e_log "dragged to $L2,$T2"
[ "$L2" = $((L + 100)) ] && [ "$T2" = $((T - 50)) ] || fail "the drag moved the keyboard to $L2,$T2, not $((L + 100)),$((T - 50))"
kv_find TMainKeyboardBackgroundForm | grep -q "rect=$L2,$T2,$R2,$B2" || fail "the backdrop did not follow the drag"
[ "$(e2e_reg_value "$KV_REG_KEY" TMainKeyboardFormLeft)" = "$(printf '0x%x' "$L2")" ] ||
    fail "the new left is not saved: $(e2e_reg_value "$KV_REG_KEY" TMainKeyboardFormLeft)"
[ "$(e2e_reg_value "$KV_REG_KEY" TMainKeyboardFormTop)" = "$(printf '0x%x' "$T2")" ] ||
    fail "the new top is not saved: $(e2e_reg_value "$KV_REG_KEY" TMainKeyboardFormTop)"
e2e_fg | grep -qF "title='$KV_NOTEPAD_TITLE'" || fail "dragging the keyboard took the focus: $(e2e_fg)"

# Resting on the pin button shows its tooltip; then the button switches auto-hide on and saves it.
xdotool mousemove $((R2 - 36 + 6)) $((T2 + 2 + 8))
sleep 0.2
xdotool mousemove $((R2 - 36 + 8)) $((T2 + 2 + 8))
# Wine's tooltip gives no text to other processes: the tip must be ours, shown, and wide enough for
# its text (the screenshot shows the words).
kv_pid=$(_osk | sed -E 's/.* pid=([0-9]+) .*/\1/')
_pin_tip() {
    e2e_wintool list 2>/dev/null | tr -d '\r' | grep "pid=$kv_pid .*class='tooltips_class32'.*visible=1" |
        awk -F'rect=' '{ split($2, r, /[ ,]/); exit !(r[3] - r[1] > 60) }'
}
e2e_poll 4 0.2 _pin_tip || fail "no tooltip over the pin button: $(e2e_wintool list | grep -i tooltip)"
e2e_screenshot "$KV_ARTIFACTS/osk-pin-tooltip.png"
xdotool click 1
_auto_hide_on() { [ "$(e2e_reg_value "$KV_REG_KEY" KeyboardAutoHide)" = 0x1 ]; }
e2e_poll 3 0.2 _auto_hide_on || fail "the pin button did not switch auto-hide on: $(e2e_reg_value "$KV_REG_KEY" KeyboardAutoHide)"
e2e_screenshot "$KV_ARTIFACTS/osk-pinned.png"

# The close button hides both windows.
xdotool mousemove $((R2 - 36 + 17 + 8)) $((T2 + 2 + 8)) click 1
_osk_hidden() { _osk | grep -q 'visible=0'; }
e2e_poll 3 0.2 _osk_hidden || fail "the close button did not hide the keyboard: $(_osk)"
# Wine waits up to 2 s for a window manager to withdraw each layered window it hides.
_backdrop_hidden() { kv_find TMainKeyboardBackgroundForm | grep -q 'visible=0'; }
e2e_poll 6 0.2 _backdrop_hidden || fail "the backdrop stayed: $(kv_find TMainKeyboardBackgroundForm)"
e2e_type "e"
check kv_notepad_text_is "abcde"
e2e_log "PASS on_screen_keyboard"
