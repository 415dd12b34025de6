#!/usr/bin/env bash
# Start with Windows from the settings window: ticking the box and Apply runs Elevopt.exe (under
# Wine without an elevation prompt), which writes the machine's Run value "Karmux" with the
# program's path; unticking and OK remove it again.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-startup"
kv_install_app "$app"
kv_reset_registry
. "$(dirname "$0")/../settings_support.sh"
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
# The program and its helper see the machine's key through the view of their own bitness.
"$E2E_WINE" reg delete "$run_key" /v Karmux /f "/reg:$KV_BUILD_BITS" >/dev/null 2>&1
program=$(e2e_winpath "$app/Karmux.exe")
run_value() { e2e_reg_value "$run_key" Karmux "$KV_BUILD_BITS"; }

start_program
open_settings
check e2e_poll 10 0.2 settings_shown
caption=$(text_in en 336)
click_child Button "$caption"
run_value >/dev/null && fail "the Run value was written before the edits were kept"
click_child Button "$(text_in en 340)"   # Apply
_written() { [ "$(run_value)" = "$program" ]; }
e2e_poll 5 0.2 _written || fail "no Run value [$program] after Apply: [$(run_value)]"
e2e_log "Run value after Apply: $(run_value)"
grep -q 'Elevopt' "$app/Log.txt" && e2e_log "$(grep Elevopt "$app/Log.txt" | tail -n1)"

click_child Button "$caption"
click_child Button "$(text_in en 101)"   # OK
check e2e_poll 5 0.2 _settings_gone
_removed() { ! run_value >/dev/null; }
e2e_poll 5 0.2 _removed || fail "the Run value is still there after unticking and OK: $(run_value)"
e2e_log "Run value removed after unticking and OK"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end"
e2e_log "PASS settings_startup"
