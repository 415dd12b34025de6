#!/usr/bin/env bash
# The floating language panel at 150 % scaling: the per-monitor aware program sizes it for its
# monitor (200 x 29 instead of 133 x 19) at the work area's bottom right, and draws the flag from
# the double-size strip, brought to 24 pixels. The scale is Wine's LogPixels, read by a fresh wineserver; it is put
# back for the scenarios after this one. Screenshot: build/e2e/artifacts/panel-150-percent*.png.
. "$(dirname "$0")/../support.sh"
. "$(dirname "$0")/../settings_support.sh"
app="$E2E_WORK/app-panel-dpi"
kv_install_app "$app"
kv_reset_registry

_dpi_key='HKCU\Control Panel\Desktop'
_restore_dpi() {
    e2e_stop_prefix "$WINEPREFIX"
    "$E2E_WINE" reg delete "$_dpi_key" /v LogPixels /f >/dev/null 2>&1
    e2e_cleanup
}
trap _restore_dpi EXIT
e2e_stop_prefix "$WINEPREFIX"
"$E2E_WINE" reg add "$_dpi_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 || fail "cannot set LogPixels"
e2e_stop_prefix "$WINEPREFIX"  # the next wineserver reads the scale at its start
kv_set_dword FLGVisible 1

_panel() { kv_find TFloatingWindowLangForm; }
_panel_visible() { _panel | grep -q 'visible=1'; }
_panel_rect() { _panel | sed -n 's/.*rect=\([-0-9,]*\).*/\1/p'; }

start_program
e2e_poll 5 0.2 _panel_visible || fail "the saved visibility did not show the panel: $(_panel)"
IFS=, read -r L T R B <<<"$(_panel_rect)"
e2e_log "panel at 150 %: $L,$T,$R,$B"
[ "$L,$T,$R,$B" = "1080,767,1280,796" ] || fail "the panel is not 200 x 29 at the bottom right at 150 %: $L,$T,$R,$B"
sleep 0.3
e2e_screenshot "$KV_ARTIFACTS/panel-150-percent.png"
e2e_screenshot "$KV_ARTIFACTS/panel-150-percent-zoom.png" "220x50+$((L - 20))+$((T - 15))"
# The flag starts 5 pixels in and is 24 wide (16 would be the unscaled small one), ending before
# the name begins at 36.
face=$(e2e_pixel "$KV_ARTIFACTS/panel-150-percent.png" $((R - 4)) $((T + 3)))
inside=$(e2e_pixel "$KV_ARTIFACTS/panel-150-percent.png" $((L + 5 + 20)) $((T + 3 + 6)))
after=$(e2e_pixel "$KV_ARTIFACTS/panel-150-percent.png" $((L + 5 + 26)) $((T + 3 + 6)))
e2e_log "flag pixel 20 in: $inside, 26 in: $after, button face: $face"
[ "$inside" != "$face" ] || fail "the flag is not 24 wide: the pixel 20 into it is the button face ($inside)"
[ "$after" = "$face" ] || fail "the flag runs into the name: the pixel 26 into it is $after"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS language_panel_dpi"
