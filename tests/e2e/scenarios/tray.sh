#!/usr/bin/env bash
# The main door: the tray icon after start-up, its menu in the active language, the first-start
# balloon once, a second start popping the menu up, and Exit from the menu.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-tray"
kv_install_app "$app"
kv_reset_registry_first_start
mkdir -p "$KV_ARTIFACTS"

e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
_icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
check e2e_poll 5 0.2 _icon_shown
# Wine draws a balloon as a tool-tip window next to the stand-alone tray.
_balloon_shown() { e2e_wintool list | tr -d '\r' | grep -q "class='tooltips_class32'.*visible=1"; }
check e2e_poll 5 0.2 _balloon_shown
e2e_screenshot "$KV_ARTIFACTS/tray-first-start-balloon.png"
[ "$(e2e_reg_value "$KV_REG_KEY" FirstStart)" = 0x1 ] || fail "FirstStart is not 1 after the first start"

menus_shown() { grep -c ' : Menu: ' "$app/Log.txt"; }
# wait_menu COUNT_BEFORE : a menu more was popped up, and it had time to take the keyboard
wait_menu() {
    _more_menus() { [ "$(menus_shown)" -gt "$1" ]; }
    e2e_poll 5 0.1 _more_menus "$1" && sleep 0.5
}

# Right click: the tray menu, its captions from the English language file.
before=$(menus_shown)
check e2e_tray_click 0 3
check wait_menu "$before"
grep -q ' : Menu: Turn Off | Play Sounds | ' "$app/Log.txt" || fail "menu captions: $(grep ' : Menu: ' "$app/Log.txt")"
e2e_screenshot "$KV_ARTIFACTS/tray-menu.png"
e2e_key Escape

# A second start pops the menu up in the running instance and ends at once.
before=$(menus_shown)
e2e_start second "$app/Karmux.exe"
kv_wait_exit "$E2E_LAST_PID" 5 || fail "the second start did not end"
check wait_menu "$before"
e2e_key Escape
sleep 0.3

# Exit is the last item of the menu.
before=$(menus_shown)
check e2e_tray_click 0 3
check wait_menu "$before"
e2e_key Up Return
kv_wait_exit "$pid" 5 || fail "Exit from the tray menu did not end the program"
kv_log_in_order "$app/Log.txt" Run Stop Finalize || fail "Exit did not switch off, then end: $(kv_log_texts "$app/Log.txt" | tail -n3)"

# The first-start balloon is shown once in the life of the registry key.
e2e_start karmux "$app/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
[ "$(e2e_reg_value "$KV_REG_KEY" FirstStart)" = 0x1 ] || fail "FirstStart changed on the second run"
sleep 1.5
! _balloon_shown || fail "the first-start balloon came back"
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
# The flag strip the language icon draws from, enlarged for review.
convert "$KV_ROOT/src/win32/res/flags.bmp" -filter point -resize 800% "$KV_ARTIFACTS/flags-strip-x8.png" ||
    fail "cannot render the flag strip"
e2e_log "PASS tray"
