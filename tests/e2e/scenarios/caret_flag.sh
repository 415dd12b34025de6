#!/usr/bin/env bash
# The caret flag: typing into notepad puts the flag window just below and to the right of notepad's
# caret (as a probe reads the caret), it follows Home, End and a new line, and gets out of the way
# while the mouse rests on it. Then a window of ours that draws its own caret, which the system
# does not know but accessibility does: the flag finds that caret too. Wine draws no alpha, so
# the flag is checked by place, size and pixels. Screenshots: build/e2e/artifacts/caret-flag-*.png.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-caret-flag"
kv_install_app "$app"
kv_reset_registry
# Wine has one layout, for which the option is off by default.
kv_set_dword ShowCaretFlag 1
kv_set_dword CaretFlagAlphaBlend 255
# No first-start balloon: a top-most window of its own over notepad's first line.
kv_set_dword FirstStart 1

e2e_start karmux "$app/Karmux.exe" -DEBUG
check e2e_wait_log "$app/Log.txt" ' : Run$' 10

# "L,T,R,B" of the flag window, and of the caret as GetGUIThreadInfo tells another process.
_flag_rect() { kv_find TCaretFlagForm | sed -n 's/.*rect=\([-0-9,]*\) visible=1.*/\1/p'; }
_notepad_caret() { e2e_wintool caret "$KV_NOTEPAD_TITLE" | tr -d '\r' | sed -n 's/.*caret_rect=\([-0-9,]*\).*/\1/p'; }
# The flag's place for a caret "L,T,R,B": at its right edge and bottom, 16 x 11 at Xvfb's 96 dpi.
_expected_for() {
    local L T R B; IFS=, read -r L T R B <<<"$1"
    echo "$R,$B,$((R + 16)),$((B + 11))"
}
_flag_at_notepad_caret() {
    want=$(_expected_for "$(_notepad_caret)")
    [ "$(_flag_rect)" = "$want" ]
}
_flag_hidden() { IFS=, read -r _ t _ _ <<<"$(_flag_rect)"; [ -n "$t" ] && [ "$t" -lt 0 ]; }

kv_find TCaretFlagForm | grep -q hwnd= || fail "no caret flag window with ShowCaretFlag on: $(kv_find TCaretFlagForm)"
kv_find TCaretFlagForm | grep -q "visible=1" || fail "the flag window is not shown (it hides by moving): $(kv_find TCaretFlagForm)"

kv_start_notepad
e2e_type "Hello caret flag"
check kv_notepad_text_is "Hello caret flag"
e2e_poll 3 0.1 _flag_at_notepad_caret ||
    fail "the flag is at $(_flag_rect), not below-right of notepad's caret $(_notepad_caret) ($want)"
e2e_log "caret $(_notepad_caret) -> flag $(_flag_rect)"
e2e_fg | grep -qF "title='$KV_NOTEPAD_TITLE'" || fail "the flag took the focus: $(e2e_fg)"
IFS=, read -r FL FT FR FB <<<"$(_flag_rect)"
e2e_screenshot "$KV_ARTIFACTS/caret-flag-notepad.png"
e2e_screenshot "$KV_ARTIFACTS/caret-flag-close.png" "80x50+$((FL - 40))+$((FT - 25))"
# The US flag: several colours, and the blue canton at the top left.
_flag_colours() { e2e_screenshot "$E2E_WORK/flag-only.png" "$((FR - FL))x$((FB - FT))+$FL+$FT"; convert "$E2E_WORK/flag-only.png" -format %k info:; }
_canton_is_blue() { local r g b; IFS=, read -r r g b <<<"$(e2e_pixel "$E2E_WORK/flag-only.png" 2 2)"; [ "$b" -gt $((r + 40)) ]; }
colours=$(_flag_colours)
e2e_log "the flag shows $colours colours, at its top left $(e2e_pixel "$E2E_WORK/flag-only.png" 2 2)"
[ "${colours:-0}" -ge 3 ] && _canton_is_blue || fail "the flag window shows no US flag ($colours colours)"

# Home, End and a new line move the caret; the flag follows.
before=$(_flag_rect)
e2e_key Home
_flag_moved_left() { _flag_at_notepad_caret && [ "$(_flag_rect)" != "$before" ]; }
e2e_poll 3 0.1 _flag_moved_left || fail "after Home the flag is at $(_flag_rect), the caret at $(_notepad_caret)"
e2e_log "Home: flag $(_flag_rect)"
e2e_key End
e2e_poll 3 0.1 _flag_at_notepad_caret && [ "$(_flag_rect)" = "$before" ] ||
    fail "after End the flag is at $(_flag_rect), not $before"
e2e_key Return
_flag_on_next_line() { _flag_at_notepad_caret && IFS=, read -r _ t _ _ <<<"$(_flag_rect)" && [ "$t" -gt "$FT" ]; }
e2e_poll 3 0.1 _flag_on_next_line || fail "after a new line the flag is at $(_flag_rect), the caret at $(_notepad_caret)"
e2e_log "new line: flag $(_flag_rect)"

# The mouse on the flag sends it away, and it stays away while the mouse rests there.
IFS=, read -r FL FT FR FB <<<"$(_flag_rect)"
xdotool mousemove $(((FL + FR) / 2)) $(((FT + FB) / 2))
e2e_poll 2 0.1 _flag_hidden || fail "the flag stays under the mouse at $(_flag_rect)"
sleep 1.5
_flag_hidden || fail "the flag came back under the resting mouse: $(_flag_rect)"
e2e_log "mouse on the flag: flag at $(_flag_rect)"
xdotool mousemove 5 700
e2e_type "x"
e2e_poll 3 0.1 _flag_at_notepad_caret || fail "the flag did not come back with the next key: $(_flag_rect)"

# A caret drawn by its application: no system caret, the accessibility caret object.
bits=${KV_BUILD_BITS:?}
e2e_start drawncaret "$E2E_TOOLS/drawncaret.exe"
drawn_xid=$(e2e_wait_window '^Drawn caret' 10) || fail "no drawn caret window"
e2e_focus "$drawn_xid" "Drawn caret" || fail "the drawn caret window did not come to the foreground"
e2e_type "abc"
_drawn_caret() { kv_find KvDrawnCaret | sed -n "s/.*title='Drawn caret \([-0-9,]*\)'.*/\1/p"; }
_drawn_moved() { [ -n "$(_drawn_caret)" ] && IFS=, read -r l _ _ _ <<<"$(_drawn_caret)" && [ "$l" -gt 210 ]; }
e2e_poll 3 0.1 _drawn_moved || fail "the drawn caret did not move with typing: $(kv_find KvDrawnCaret)"
e2e_wintool caret "Drawn caret" >/dev/null 2>&1 && fail "the system knows a caret in the drawn caret window"
_flag_at_drawn_caret() { want=$(_expected_for "$(_drawn_caret)"); [ "$(_flag_rect)" = "$want" ]; }
e2e_poll 4 0.1 _flag_at_drawn_caret ||
    fail "the flag is at $(_flag_rect), not below-right of the drawn caret $(_drawn_caret) ($want) ($bits-bit)"
e2e_log "drawn caret $(_drawn_caret) -> flag $(_flag_rect)"
e2e_type "de"
e2e_poll 3 0.1 _flag_at_drawn_caret || fail "the flag did not follow the drawn caret: $(_flag_rect), caret $(_drawn_caret)"
IFS=, read -r FL FT FR FB <<<"$(_flag_rect)"
e2e_screenshot "$KV_ARTIFACTS/caret-flag-drawn.png" "200x120+$((FL - 120))+$((FT - 70))"
colours=$(_flag_colours)
e2e_log "over the drawn caret window the flag shows $colours colours"
[ "${colours:-0}" -ge 3 ] && _canton_is_blue || fail "the flag is not seen over the drawn caret window ($colours colours)"
e2e_log "caret flag scenario passed"
