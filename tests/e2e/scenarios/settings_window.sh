#!/usr/bin/env bash
# The settings window: the tray's Settings item opens it (its item is then disabled), each of
# its five pages is shown and photographed, choosing Russian re-captions it at once, OK keeps
# the choice (the tray menu is Russian after a restart), and a sound option changed and then
# discarded with "No" leaves the registry as it was.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-settings"
kv_install_app "$app"
kv_reset_registry

. "$(dirname "$0")/../settings_support.sh"

start_program
open_settings
check e2e_poll 10 0.2 settings_shown
e2e_log "settings window: $(kv_find TMainForm)"
[ "$(caption_of 204)" = "Start Tolvex with Windows" ] || fail "start-with-Windows caption: [$(caption_of 204)]"
# Opening saved the settings: the registry holds them all now.
e2e_reg_value "$KV_REG_KEY" SoundEnabled >/dev/null || fail "opening the window did not save the settings"

# Its tray items are disabled while it is open.
before=$(menus_shown)
check e2e_tray_click 0 3
check wait_menu "$before"
e2e_screenshot "$KV_ARTIFACTS/settings-tray-menu-while-open.png"
e2e_key Escape
sleep 0.3

# The five pages, chosen in the tree with the keyboard.
pages=(general hotkeys language-indicator sounds other)
click_child SysTreeView32 ''
e2e_key Home
for i in 0 1 2 3 4; do
    sleep 0.5
    shot_settings "settings-page-$((i + 1))-${pages[$i]}"
    e2e_key Down
done

# A sound option changed, then Close and "No": the registry is as at the opening.
e2e_key Home
sleep 0.3
for i in 1 2 3; do e2e_key Down; done
sleep 0.3
stored_before=$("$E2E_WINE" reg query "$KV_REG_KEY" | tr -d '\r' | sort)
click_child Button 'Play Sounds'
[ "$(e2e_reg_value "$KV_REG_KEY" SoundEnabled)" = 0x0 ] || fail "the sound option was saved before the user kept it"
click_child Button 'Close'
_ask_shown() { e2e_wintool list | tr -d '\r' | grep -q "class='#32770'"; }
check e2e_poll 5 0.2 _ask_shown
e2e_screenshot "$KV_ARTIFACTS/settings-save-changes-question.png"
e2e_key n
check e2e_poll 5 0.2 _settings_gone
stored_after=$("$E2E_WINE" reg query "$KV_REG_KEY" | tr -d '\r' | sort)
[ "$stored_before" = "$stored_after" ] || fail "the registry changed after No: $(diff <(echo "$stored_before") <(echo "$stored_after"))"
e2e_log "No on close: the registry is as before"

# Russian: the captions change at once; OK keeps it.
open_settings
check e2e_poll 10 0.2 settings_shown
click_child ComboBox ''
e2e_key Escape
russian=""
for i in 1 2 3 4; do
    e2e_key Down
    sleep 0.5
    if [ "$(caption_of 204)" = "$(text_in ru 336)" ]; then russian=yes; break; fi
done
[ -n "$russian" ] || fail "no Russian caption after choosing the languages: [$(caption_of 204)]"
e2e_log "caption after choosing Russian: $(caption_of 204); window title: $(kv_find TMainForm | grep -o "title='[^']*'")"
shot_settings settings-russian
click_child Button 'ОК'  # Cyrillic, as the Russian file has it
check e2e_poll 5 0.2 _settings_gone
[ "$(e2e_reg_value "$KV_REG_KEY" Language)" = 0x419 ] || fail "Language after OK: $(e2e_reg_value "$KV_REG_KEY" Language)"

# After a restart the tray menu speaks Russian.
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
start_program
before=$(menus_shown)
check e2e_tray_click 0 3
check wait_menu "$before"
e2e_log "tray menu after the restart: $(last_menu)"
last_menu | grep -qF "$(text_in ru 316)" || fail "the tray menu is not Russian: $(last_menu)"
e2e_screenshot "$KV_ARTIFACTS/settings-tray-menu-russian.png"
e2e_key Escape
check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS settings_window"
