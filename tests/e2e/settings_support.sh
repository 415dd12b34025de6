#!/usr/bin/env bash
# Helpers of the settings-window scenarios: sourced after support.sh, with $app the program's
# folder. The tray menu opens the window; controls are found among its children by class and
# caption and clicked at their centre.

menus_shown() { grep -c ' : Menu: ' "$app/Log.txt"; }
wait_menu() {
    _more_menus() { [ "$(menus_shown)" -gt "$1" ]; }
    e2e_poll 5 0.1 _more_menus "$1" && sleep 0.5
}
start_program() {
    e2e_start karmux "$app/Karmux.exe" -DEBUG
    pid=$E2E_LAST_PID
    check e2e_wait_log "$app/Log.txt" ' : Run$' 10
    _icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
    check e2e_poll 5 0.2 _icon_shown
}
# The captions of the tray menu last shown, as the log lists them.
last_menu() { grep ' : Menu: ' "$app/Log.txt" | tail -n1 | sed 's/^.* : Menu: //' | tr -d '\r'; }
open_settings() {
    local before; before=$(menus_shown)
    check e2e_tray_click 0 3
    check wait_menu "$before"
    # Turn Off, Play Sounds, the language panel, a separator, then Settings.
    e2e_key Down Down Down Down Return
}
settings_shown() { kv_find TMainForm | grep -q 'visible=1'; }
# child_line CLASS TITLE_OR_EMPTY [N] : the Nth child of that class (and caption) of the window of
# class $KV_TOP (the settings window unless set)
child_line() {
    e2e_wintool children "class:${KV_TOP:-TMainForm}" | tr -d '\r' | grep "class='$1'" | { if [ -n "$2" ]; then grep -F "title='$2'"; else cat; fi; } | sed -n "${3:-1}p"
}
click_child() {
    local rect; rect=$(child_line "$@" | grep -o 'rect=[-0-9,]*' | cut -d= -f2)
    [ -n "$rect" ] || fail "no child $* of the window ${KV_TOP:-TMainForm}"
    IFS=, read -r l t r b <<<"$rect"
    xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
    sleep 0.4
}
shot_settings() {
    local rect; rect=$(kv_find TMainForm | grep -o 'rect=[-0-9,]*' | cut -d= -f2)
    IFS=, read -r l t r b <<<"$rect"
    e2e_screenshot "$KV_ARTIFACTS/$1.png" "$((r - l))x$((b - t))+$l+$t"
}
caption_of() { e2e_dialog_text class:TMainForm "$1"; }
# text_in LANG NUMBER : a text of a shipped language file
text_in() { grep "^0*$2=" "$KV_ROOT/Lang/$1.txt" | head -n1 | cut -d= -f2- | tr -d '\r' | sed 's/%1/Tolvex/'; }

_settings_gone() { ! settings_shown; }
