#!/usr/bin/env bash
# The per-user installer from scripts/package: a silent install (/S) puts the build that fits
# into the user's local programs folder with a Start-menu entry; the program starts from there
# and shows its tray icon; the silent uninstaller ends the running program and removes the
# folder, the entry and its own registration, and keeps the user's settings. An update over a
# running program whose hook library an application still holds replaces the library.
. "$(dirname "$0")/../support.sh"
. "$KV_ROOT/scripts/lib/host.sh"
# Once per run: the 64-bit pass runs on every kind of host.
[ "$KV_BUILD_BITS" = 64 ] || skip "the installer is tried in the 64-bit build's pass"
if kv_host_runs_32bit; then
    setup=$(ls "$KV_ROOT"/dist/Tolvex-*-setup.exe 2>/dev/null | head -n1)   # picks the build itself
else
    setup=$(ls "$KV_ROOT"/dist/Tolvex-*-setup-x64.exe 2>/dev/null | head -n1) # the 32-bit one cannot start here
fi
[ -n "$setup" ] || skip "no installer in dist/: scripts/package makes it"
e2e_log "installing with $(basename "$setup")"

kv_reset_registry
kv_set_dword FirstStart 1   # a setting of the user's, which the uninstaller must keep
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvex'
timeout 60 "$E2E_WINE" "$setup" /S >"$E2E_WORK/installer.out" 2>&1 || fail "the installer failed (rc $?)"

user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
dir="$user_dir/AppData/Local/Programs/Tolvex"
menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tolvex/Tolvex.lnk"
for f in Karmux.exe KarmuxCm.exe KarmuxH.dll Elevopt.exe Karmux.chm Uninstall.exe README.txt Lang/en.txt Keyboards/Standard.txt; do
    [ -f "$dir/$f" ] || fail "not installed: $dir/$f"
done
[ "$(kv_pe_bits "$dir/Karmux.exe")" = 64 ] || fail "the installer did not pick the 64-bit build on 64-bit Windows"
[ -f "$dir/KarmuxHost32.exe" ] && [ -f "$dir/KarmuxH32.dll" ] || fail "the 32-bit hook host is not installed"
[ -f "$menu" ] || fail "no Start-menu entry at $menu"
e2e_reg_value "$uninstall_key" UninstallString | grep -qF 'Uninstall.exe' || fail "the uninstaller is not registered"

e2e_start karmux "$dir/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$dir/Log.txt" ' : Run$' 10
_icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
check e2e_poll 5 0.2 _icon_shown
tray=$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n1)
[ -n "$tray" ] && xdotool windowraise "$tray"
e2e_screenshot "$KV_ARTIFACTS/installer-installed-program-tray.png" 200x60+0+0

# An update while an application still holds the hook library (it drops it only at its next
# message; Wine keeps it until the application ends): the held file is moved out of the way, and
# the new one written. The installed copy is marked first, so that a copy left in place shows.
# The program started above is still running.
printf 'held' >>"$dir/KarmuxH.dll"
kv_start_notepad
e2e_type a
_held() { grep -q 'Programs/Tolvex/KarmuxH.dll' "/proc/$KV_NOTEPAD_PID/maps" 2>/dev/null; }
e2e_poll 5 0.2 _held || fail "notepad does not hold the hook library: the update would prove nothing"
timeout 60 "$E2E_WINE" "$setup" /S >"$E2E_WORK/installer-update.out" 2>&1 || fail "the update failed (rc $?)"
kv_wait_exit "$pid" 5 || fail "the update did not end the running program"
packaged=$(mktemp)
unzip -p "$(ls "$KV_ROOT"/dist/Tolvex-*.zip | grep -v -- -debug | head -n1)" '*/x64/KarmuxH.dll' >"$packaged"
cmp -s "$packaged" "$dir/KarmuxH.dll" || { rm -f "$packaged"; fail "the update left the held hook library in place"; }
rm -f "$packaged"
e2e_start karmux "$dir/Karmux.exe" -DEBUG
pid=$E2E_LAST_PID
check e2e_wait_log "$dir/Log.txt" ' : Run$' 10

# The uninstaller copies itself away and returns at once; its copy does the work.
timeout 30 "$E2E_WINE" "$dir/Uninstall.exe" /S >"$E2E_WORK/uninstaller.out" 2>&1 || fail "the uninstaller failed (rc $?)"
_removed() { [ ! -e "$dir" ]; }
e2e_poll 20 0.2 _removed || fail "the program folder is still there: $(cd "$dir" 2>/dev/null && find . | head)"
kv_wait_exit "$pid" 5 || fail "the uninstaller did not end the running program"
[ ! -e "$menu" ] && [ ! -e "$(dirname "$menu")" ] || fail "the Start-menu entry is still there"
e2e_reg_query "$uninstall_key" | grep -q . && fail "the uninstaller's registration is still there"
[ "$(e2e_reg_value "$KV_REG_KEY" FirstStart)" = 0x1 ] || fail "the silent uninstaller removed the user's settings"
e2e_log "PASS installer"
