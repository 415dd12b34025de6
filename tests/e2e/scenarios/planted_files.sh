#!/usr/bin/env bash
# Files planted in the current folder are never taken for the program's own or the system's:
# started from a folder that holds a KarmuxH.dll, a KarmuxCm.exe and system library names (each
# leaves a marker beside itself when loaded or run), the program loads its hook library and
# starts its companion from its own folder, loads system libraries from the system folder, and
# works: its hotkey is swallowed and the tray menu (which loads comctl32.dll on first use) opens.
# Wine, like Windows, searches the system folder before the current one, so the system names
# planted here would stay unused even by a careless program; the program's own names would not.
. "$(dirname "$0")/../support.sh"
app="$E2E_WORK/app-planted"
plant="$E2E_WORK/planted-current-folder"
kv_install_app "$app"
kv_reset_registry
kv_set_dword SCSwitchLang 81   # Q, no modifiers

for tool in kv_planted_library.dll kv_planted_program.exe load_by_name.exe; do
    [ -f "$E2E_TOOLS/$tool" ] || fail "$tool is not built in $E2E_TOOLS"
done
planted_libraries=(KarmuxH.dll wtsapi32.dll version.dll comctl32.dll uxtheme.dll)
rm -rf "$plant" && mkdir -p "$plant" || fail "cannot create $plant"
for name in "${planted_libraries[@]}"; do cp "$E2E_TOOLS/kv_planted_library.dll" "$plant/$name"; done
cp "$E2E_TOOLS/kv_planted_program.exe" "$plant/KarmuxCm.exe"
markers() { (cd "$plant" && ls -- *.loaded *.ran 2>/dev/null); }

# The plant works: a program without a KarmuxH.dll of its own that loads one by its bare name
# with the default search, started in that folder, takes the planted copy.
careless="$E2E_WORK/careless-program"
rm -rf "$careless" && mkdir -p "$careless" && cp "$E2E_TOOLS/load_by_name.exe" "$careless/" || fail "cannot set up $careless"
pushd "$plant" >/dev/null || fail "cannot enter $plant"
"$E2E_WINE" "$careless/load_by_name.exe" KarmuxH.dll >/dev/null 2>&1
popd >/dev/null
[ -f "$plant/KarmuxH.dll.loaded" ] || fail "the planted KarmuxH.dll was not taken even by a bare-name load: the check below would prove nothing"
rm -f "$plant/KarmuxH.dll.loaded"

pushd "$plant" >/dev/null || fail "cannot enter $plant"
e2e_start karmux "$app/Karmux.exe" /debug
pid=$E2E_LAST_PID
popd >/dev/null
check e2e_wait_log "$app/Log.txt" ' : Run$' 10
kv_log_in_order "$app/Log.txt" Start Run || fail "the program did not switch on: $(kv_log_texts "$app/Log.txt")"
kv_prefix_has_process 'app-planted\KarmuxCm.exe' || fail "no companion from the program's folder runs"

# Wine's tray shows the icon a moment after the program has logged Run.
_icon_shown() { e2e_tray_icon_pos 0 >/dev/null; }
check e2e_poll 5 0.2 _icon_shown
menus_shown() { grep -c ' : Menu: ' "$app/Log.txt"; }
before=$(menus_shown)
_more_menus() { [ "$(menus_shown)" -gt "$before" ]; }
check e2e_tray_click 0 3
check e2e_poll 5 0.1 _more_menus
sleep 0.5
e2e_screenshot "$KV_ARTIFACTS/planted-files-tray-menu.png"
e2e_key Escape
sleep 0.3

kv_start_notepad
e2e_type aqb
kv_notepad_text_is ab || fail "the hotkey reached notepad or a letter was lost"

check e2e_wintool post class:TFirstForm 16 0 0
kv_wait_exit "$pid" 5 || fail "the program did not end after its marker window was closed"
[ -z "$(markers)" ] || fail "planted files were loaded or run: $(markers | tr '\n' ' ')"
e2e_log "PASS planted_files"
