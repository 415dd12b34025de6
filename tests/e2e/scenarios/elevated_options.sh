#!/usr/bin/env bash
# Elevopt.exe, the elevated options program: a call with a wrong path or flag ends with its own
# non-zero code and leaves the machine's Run value as it was; a right call writes the value
# "Karmux" with the path unquoted, and "0" removes it again.
. "$(dirname "$0")/../support.sh"
# A folder name with a blank, as "Program Files" has: Wine then quotes the path on the command
# line it builds, as the settings window does.
app="$E2E_WORK/app elevated"
kv_install_app "$app"
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
# The program and its helper see the machine's key through the view of their own bitness.
"$E2E_WINE" reg delete "$run_key" /v Karmux /f "/reg:$KV_BUILD_BITS" >/dev/null 2>&1
program=$(e2e_winpath "$app/Karmux.exe")

elevopt() { "$E2E_WINE" "$app/Elevopt.exe" "$@" >/dev/null 2>&1; }
run_value() { e2e_reg_value "$run_key" Karmux "$KV_BUILD_BITS"; }

expect_refused() {
    local code=$1; shift
    elevopt "$@"
    local rc=$?
    [ "$rc" = "$code" ] || fail "Elevopt.exe $* ended with $rc, expected $code"
    run_value >/dev/null && fail "Elevopt.exe $* (refused) wrote the Run value: $(run_value)"
    e2e_log "refused with $rc: $*"
}
expect_refused 1 "$program" 1                               # a flag missing
expect_refused 1 "$program" 1 0 0                           # one flag too many
expect_refused 2 "$(e2e_winpath "$app/Elevopt.exe")" 1 0   # not the program
expect_refused 2 "$(e2e_winpath "$app")\\Missing folder\\Karmux.exe" 1 0
expect_refused 3 "$program" 2 0                             # start with Windows: 0 or 1
expect_refused 4 "$program" 1 7                             # context menu: 0, 1 or 2
expect_refused 5 "$program" 1 1                             # no extension is shipped to register

elevopt "$program" 1 0 || fail "Elevopt.exe \"$program\" 1 0 ended with $?"
value=$(run_value) || fail "no Run value after Elevopt.exe ... 1 0"
[ "$value" = "$program" ] || fail "Run value [$value], expected [$program]"
e2e_log "Run value written: $value"

# A refused call leaves a written value alone too.
expect_refused_keeps() {
    elevopt "$@" && fail "Elevopt.exe $* succeeded"
    [ "$(run_value)" = "$program" ] || fail "Elevopt.exe $* (refused) changed the Run value to [$(run_value)]"
}
expect_refused_keeps "$program" 0 9
expect_refused_keeps "$(e2e_winpath "$app")\\Missing folder\\Karmux.exe" 0 0

elevopt "$program" 0 2 || fail "Elevopt.exe \"$program\" 0 2 ended with $?"
run_value >/dev/null && fail "the Run value is still there after Elevopt.exe ... 0 2: $(run_value)"
e2e_log "Run value removed"
exit 0
