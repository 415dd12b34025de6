#!/usr/bin/env bash
# Common ground of the e2e scenarios: sourced by each scenario script, which run.sh starts
# with DISPLAY, WINEPREFIX, E2E_WORK, E2E_TOOLS and KV_BIN set.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
trap e2e_cleanup EXIT

KV_REG_KEY='HKCU\SOFTWARE\OrlentaSoftware\Karmux'
KV_ARTIFACTS="$E2E_WORK/artifacts"
mkdir -p "$KV_ARTIFACTS"

fail() { e2e_log "FAIL: $*"; exit 1; }
check() { "$@" || fail "$*"; }
# skip REASON : this scenario cannot run here; run.sh counts it as skipped, with the reason
skip() { e2e_log "SKIP: $*"; exit "${KV_E2E_SKIP:-77}"; }

# kv_install_app DIR [--without-companion]: a fresh program folder, as an installation has it.
kv_install_app() {
    local dir=$1
    rm -rf "$dir" && mkdir -p "$dir" || fail "cannot create $dir"
    cp "$KV_BIN/Karmux.exe" "$KV_BIN/KarmuxH.dll" "$dir/" || fail "no Karmux.exe or KarmuxH.dll in $KV_BIN"
    [ "${2:-}" = --without-companion ] || cp "$KV_BIN/KarmuxCm.exe" "$dir/"
    cp "$KV_BIN/Elevopt.exe" "$dir/" || fail "no Elevopt.exe in $KV_BIN"
    local help
    for help in Karmux.chm KarmuxRu.chm; do
        if [ -f "$KV_BIN/$help" ]; then cp "$KV_BIN/$help" "$dir/" || fail "cannot copy $help"; fi
    done
    cp -r "$KV_ROOT/Lang" "$KV_ROOT/Sound" "$KV_ROOT/Icons" "$KV_ROOT/Keyboards" "$dir/"
    rm -f "$dir/Lang/texts.tsv" "$dir/Sound/make_sounds.py" "$dir/Icons/make_packs.py" "$dir/Icons/README.md"
    return 0
}

# kv_install_host32 DIR : the 32-bit hook host and library beside a 64-bit program, as shipped
kv_install_host32() {
    local win32_bin="$KV_ROOT/build/win32/bin"
    cp "$win32_bin/KarmuxHost32.exe" "$win32_bin/KarmuxH32.dll" "$1/" || fail "the 32-bit hook host is not built in $win32_bin"
}

# kv_reset_registry: the program's key as after a first start that is over ("FirstStart" is
# there, so no first-run wizard opens); kv_reset_registry_first_start: no key at all, as before
# the very first start.
kv_reset_registry_first_start() { "$E2E_WINE" reg delete "$KV_REG_KEY" /f >/dev/null 2>&1; return 0; }
kv_reset_registry() {
    kv_reset_registry_first_start
    "$E2E_WINE" reg add "$KV_REG_KEY" /v FirstStart /t REG_DWORD /d 1 /f >/dev/null 2>&1 || fail "cannot write FirstStart"
}

# kv_find CLASS -> "hwnd=... title='...' ..." of the first top-level window of that class
kv_find() { e2e_wintool find "class:$1" 2>/dev/null | tr -d '\r'; }
kv_window_title_is() { kv_find "$1" | grep -qF "title='$2'"; }
kv_no_window() { ! kv_find "$1" | grep -q hwnd=; }

# kv_wait_exit PID TIMEOUT_S : true when the process has ended within the time
kv_wait_exit() {
    local pid=$1
    _kv_gone() { ! kill -0 "$pid" 2>/dev/null || [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" = Z ]; }
    e2e_poll "$2" 0.1 _kv_gone
}

# kv_log_texts FILE : the texts of Log.txt lines without their time stamps
kv_log_texts() { tr -d '\r' <"$1" | sed 's/^.* : //'; }

# kv_prefix_has_process NAME : a process of our prefix runs NAME
kv_prefix_has_process() {
    local pid
    for pid in $(e2e_prefix_pids); do
        tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF "$1" && return 0
    done
    return 1
}

# kv_set_dword NAME VALUE : a REG_DWORD setting of the program, written before it starts
kv_set_dword() {
    "$E2E_WINE" reg add "$KV_REG_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1 || fail "cannot write $1"
}

# kv_log_in_order FILE TEXT... : Log.txt holds these texts as whole lines, in this order
kv_log_in_order() {
    local file=$1 line; shift
    while IFS= read -r line; do
        [ $# -gt 0 ] && [ "$line" = "$1" ] && shift
    done < <(kv_log_texts "$file")
    [ $# -eq 0 ]
}

# kv_start_notepad : a notepad of the build's bitness (our hook library reaches only processes
# of its own bitness), started, in the foreground and ready for typing. Sets KV_NOTEPAD_PID and
# KV_NOTEPAD_XID. In a 64-bit prefix system32 holds the 64-bit notepad, syswow64 the 32-bit one.
KV_NOTEPAD_TITLE='Untitled - Notepad'
kv_start_notepad() {
    local exe='C:\windows\system32\notepad.exe' wine=$E2E_WINE
    if [ -f "$WINEPREFIX/drive_c/windows/syswow64/notepad.exe" ]; then
        if [ "${KV_BUILD_BITS:?run by tests/e2e/run.sh}" = 32 ]; then
            exe='C:\windows\syswow64\notepad.exe'
        else
            # Wine's 32-bit loader starts it through its 32-bit start.exe, for which system32 is
            # syswow64: that would be the 32-bit notepad again. The 64-bit loader starts it directly.
            wine=${KV_WINE64_LOADER:-/usr/lib/wine/wine64}
        fi
    fi
    E2E_WINE=$wine e2e_start notepad "$exe"
    KV_NOTEPAD_PID=$E2E_LAST_PID
    KV_NOTEPAD_XID=$(e2e_wait_window "^$KV_NOTEPAD_TITLE\$" 10) || fail "no notepad window"
    e2e_focus "$KV_NOTEPAD_XID" "$KV_NOTEPAD_TITLE" || fail "notepad did not come to the foreground"
}

# kv_notepad_text_is TEXT [TIMEOUT_S=3] : notepad's edit control holds exactly TEXT
kv_notepad_text_is() { e2e_wait_text "$KV_NOTEPAD_TITLE" "$1" "${2:-3}"; }
