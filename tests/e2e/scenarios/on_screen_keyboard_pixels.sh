#!/usr/bin/env bash
# The on-screen keyboard as drawn: while Shift and A are held (xdotool), both keys show the
# pressed colour of the default scheme, and the plain key colour again once let go. Screenshots:
# build/e2e/artifacts/osk-us-light.png, osk-shift-a-held.png, osk-released.png.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-osk-pixels"
kv_install_app "$app"
kv_reset_registry
kv_set_dword KeyboardAutoHide 0
kv_set_dword TMainKeyboardFormLeft 300
kv_set_dword TMainKeyboardFormTop 556

e2e_start karmux "$app/Karmux.exe" -DEBUG
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
_osk_visible() { kv_find TMainKeyboardForm | grep -q 'visible=1'; }
e2e_poll 5 0.2 _osk_visible || fail "the keyboard is not shown: $(kv_find TMainKeyboardForm)"
IFS=, read -r L T R B <<<"$(kv_find TMainKeyboardForm | sed -n 's/.*rect=\([-0-9,]*\).*/\1/p')"
kv_start_notepad
sleep 0.5
crop="$((R - L))x$((B - T))+$L+$T"
e2e_screenshot "$KV_ARTIFACTS/osk-us-light.png" "$crop"

# The default scheme: key face RGB 254,254,254, pressed face 0,0,128.
readonly KEY=254,254,254 PRESSED=0,0,128
# Inside the faces, away from labels and borders: Shift (6,170)-(80,203), A (65,136)-(98,169).
shift_at=(70 198) a_at=(92 164)
_px() { e2e_pixel "$1" "${2}" "${3}"; }

xdotool keydown --delay 50 shift a
sleep 0.6
e2e_screenshot "$KV_ARTIFACTS/osk-shift-a-held.png" "$crop"
xdotool keyup --delay 50 a shift
held_shift=$(_px "$KV_ARTIFACTS/osk-shift-a-held.png" "${shift_at[@]}")
held_a=$(_px "$KV_ARTIFACTS/osk-shift-a-held.png" "${a_at[@]}")
sleep 0.6
e2e_screenshot "$KV_ARTIFACTS/osk-released.png" "$crop"
up_shift=$(_px "$KV_ARTIFACTS/osk-released.png" "${shift_at[@]}")
up_a=$(_px "$KV_ARTIFACTS/osk-released.png" "${a_at[@]}")
e2e_log "held: Shift $held_shift, A $held_a; released: Shift $up_shift, A $up_a"
[ "$held_shift" = $PRESSED ] || fail "held Shift is $held_shift, not the pressed colour $PRESSED"
[ "$held_a" = $PRESSED ] || fail "held A is $held_a, not the pressed colour $PRESSED"
[ "$up_shift" = $KEY ] || fail "released Shift is $up_shift, not the key colour $KEY"
[ "$up_a" = $KEY ] || fail "released A is $up_a, not the key colour $KEY"
e2e_key ctrl+a
e2e_type "x"
check kv_notepad_text_is "x"
e2e_log "PASS on_screen_keyboard_pixels"
