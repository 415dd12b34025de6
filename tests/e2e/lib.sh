#!/usr/bin/env bash
# Helpers for end-to-end tests of the Windows build under Wine + Xvfb + xdotool.
# Source it, register `trap e2e_cleanup EXIT`, then:
#   e2e_start_xvfb; e2e_init_prefix DIR; e2e_start NAME PROGRAM ARGS...; e2e_wait_window ...
#
# Lessons baked in:
#   * No window manager on Xvfb: with Wine's default UseTakeFocus=Y, `xdotool windowfocus`
#     moves X focus but not Wine's foreground window, and typed keys are lost.
#     e2e_init_prefix sets UseTakeFocus=N before any program starts.
#   * Desktop settings apply only to a fresh wineserver: e2e_init_prefix waits for it to exit.
#   * Never overwrite a hook DLL while a process of the prefix has it mapped.
#   * Everything started here is stopped by e2e_cleanup, by process id only.

# ----------------------------------------------------------------- configuration
: "${E2E_TOOLS:?folder with the built gettext.exe and wintool.exe}"
: "${E2E_WORK:=${TMPDIR:-/tmp}/wine-e2e}"          # logs, screenshots, helper binaries
: "${E2E_WINE:=$(command -v wine)}"                 # runs 32- and 64-bit programs
: "${E2E_WINESERVER:=$(command -v wineserver 2>/dev/null || echo /usr/lib/wine/wineserver)}"
: "${E2E_AVOID_DISPLAYS:=}"                        # displays never to use (space separated)
: "${E2E_TYPE_DELAY:=25}"                          # ms between keystrokes for xdotool type
export WINEDEBUG="${WINEDEBUG:--all}"
# no Mono/Gecko install dialogs (they would block wineboot on machines without wine-mono)
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

E2E_PIDS=()          # PIDs started by e2e_start
E2E_XVFB_PID=""      # PID of our Xvfb
E2E_LAST_PID=""      # PID of the last e2e_start
mkdir -p "$E2E_WORK"

e2e_log()  { printf '[e2e %(%H:%M:%S)T] %s\n' -1 "$*" >&2; }
e2e_die()  { e2e_log "FATAL: $*"; return 1; }
e2e_now()  { date +%s.%N; }
e2e_elapsed() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN{printf "%.2f", b-a}'; }

# e2e_poll TIMEOUT_S INTERVAL_S CMD... : run CMD until it succeeds or TIMEOUT_S (may be
# fractional) elapses; CMD may be a shell function
e2e_poll() {
    local timeout=$1 interval=$2; shift 2
    local end=$(( $(date +%s%N) / 1000000 + $(awk -v t="$timeout" 'BEGIN { printf "%d", t * 1000 }') ))
    while :; do
        "$@" && return 0
        [ $(( $(date +%s%N) / 1000000 )) -ge "$end" ] && return 1
        sleep "$interval"
    done
}

# ----------------------------------------------------------------- X server
# e2e_start_xvfb [FIRST_DISPLAY=91] [GEOMETRY=1280x800x24]
# Starts Xvfb on the first free display >= FIRST_DISPLAY (skipping E2E_AVOID_DISPLAYS),
# exports DISPLAY and records the PID in E2E_XVFB_PID.
e2e_start_xvfb() {
    local n=${1:-91} geom=${2:-1280x800x24} i
    for ((i = 0; i < 50; i++, n++)); do
        [[ " $E2E_AVOID_DISPLAYS " == *" $n "* ]] && continue
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$geom" -nolisten tcp -noreset >"$E2E_WORK/xvfb-$n.log" 2>&1 &
        E2E_XVFB_PID=$!
        if e2e_poll 10 0.1 xdpyinfo -display ":$n" >/dev/null 2>&1; then
            export DISPLAY=":$n"
            e2e_log "Xvfb :$n started (pid $E2E_XVFB_PID, $geom)"
            return 0
        fi
        kill "$E2E_XVFB_PID" 2>/dev/null; wait "$E2E_XVFB_PID" 2>/dev/null; E2E_XVFB_PID=""
    done
    e2e_die "no free X display found"
}

# ----------------------------------------------------------------- prefix
# e2e_init_prefix PREFIX [--virtual-desktop WxH]
# Creates (wineboot -i, ~13-15 s) or reuses PREFIX, applies test-friendly registry settings,
# then waits for the wineserver to exit so the settings are active for the next program.
e2e_init_prefix() {
    local prefix=${1:?prefix folder} vd=""; shift
    [ "${1:-}" = "--virtual-desktop" ] && vd=${2:?size WxH}
    [ -n "${DISPLAY:-}" ] || { e2e_die "start Xvfb first"; return 1; }
    export WINEPREFIX=$prefix
    local t0; t0=$(e2e_now)
    # A boot that was cut short leaves a prefix that looks booted; only a finished one is marked.
    if [ ! -f "$prefix/.e2e-booted" ]; then
        rm -rf "$prefix"
        e2e_log "wineboot -i $prefix ..."
        timeout 180 "$E2E_WINE" wineboot -i >"$E2E_WORK/wineboot.log" 2>&1 || { e2e_die "wineboot failed (see $E2E_WORK/wineboot.log)"; return 1; }
        touch "$prefix/.e2e-booted"
    fi
    local reg="$E2E_WORK/e2e-settings.reg"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"UseTakeFocus"="N"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
        if [ -n "$vd" ]; then
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="%s"\r\n\r\n' "$vd"
        else
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"=-\r\n\r\n'
        fi
    } >"$reg"
    "$E2E_WINE" reg import "$(e2e_winpath "$reg")" >/dev/null 2>&1 || { e2e_die "reg import failed"; return 1; }
    # registry is flushed and desktop settings take effect only in a new wineserver session
    timeout 60 "$E2E_WINESERVER" -w
    e2e_log "prefix ready: $prefix (virtual desktop: ${vd:-no}) in $(e2e_elapsed "$t0") s"
}

# e2e_clone_prefix SRC DST : copy a booted prefix (1.3 GB, ~3 s) instead of booting (~14 s).
# Make sure no wine process uses SRC (e2e_stop_prefix) before copying.
e2e_clone_prefix() { rm -rf "$2" && cp -a "$1" "$2"; }

# e2e_winpath UNIXPATH -> Z:\... (absolute)
e2e_winpath() { local p; p=$(readlink -f "$1"); printf 'Z:%s' "${p//\//\\}"; }

# ----------------------------------------------------------------- helpers
# The helpers are console programs built with the project (~0.1 s each with a running wineserver).
e2e_wintool() { "$E2E_WINE" "$E2E_TOOLS/wintool.exe" "$@"; }

# ----------------------------------------------------------------- processes
# e2e_start NAME PROGRAM [ARGS...]
# Starts PROGRAM under wine in the background; stdout/stderr -> $E2E_WORK/NAME.out.
# Use full Windows paths for built-ins ('C:\windows\system32\notepad.exe'): a bare
# "notepad" goes through start.exe and the recorded PID would not be notepad's.
# Sets E2E_LAST_PID. Do not call inside $(...) (the PID would be lost with the subshell).
e2e_start() {
    local name=$1; shift
    "$E2E_WINE" "$@" >"$E2E_WORK/$name.out" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
    e2e_log "started $name: $* (pid $E2E_LAST_PID)"
}

# e2e_stop PID [GRACE_S=3] : TERM, wait, KILL
e2e_stop() {
    local pid=$1 grace=${2:-3}
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    kill "$pid" 2>/dev/null
    _e2e_dead() { ! kill -0 "$pid" 2>/dev/null || [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" = Z ]; }
    e2e_poll "$grace" 0.1 _e2e_dead || kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# e2e_prefix_pids [PREFIX=$WINEPREFIX] : PIDs of wine processes (exe under */wine*) of that prefix
e2e_prefix_pids() {
    local prefix=${1:-${WINEPREFIX:-}} d
    [ -n "$prefix" ] || return 0
    for d in /proc/[0-9]*; do
        [[ $(readlink "$d/exe" 2>/dev/null) == */wine* ]] || continue
        tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" && echo "${d#/proc/}"
    done
}

# e2e_stop_prefix [PREFIX] : stop every wine process of the prefix, by PID (TERM, then KILL after 1.5 s)
e2e_stop_prefix() {
    local pids; pids=$(e2e_prefix_pids "$@" | tr '\n' ' ')
    [ -z "${pids// /}" ] && return 0
    kill $pids 2>/dev/null
    _e2e_gone() { local p; for p in $pids; do kill -0 "$p" 2>/dev/null && return 1; done; return 0; }
    e2e_poll 1.5 0.1 _e2e_gone || kill -9 $pids 2>/dev/null
    return 0
}

# e2e_cleanup : stop everything we started (register with: trap e2e_cleanup EXIT)
e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "${WINEPREFIX:-}" ] && e2e_stop_prefix "$WINEPREFIX"
    for pid in "${E2E_PIDS[@]}"; do e2e_stop "$pid" 1; done
    E2E_PIDS=()
    if [ -n "$E2E_XVFB_PID" ]; then e2e_stop "$E2E_XVFB_PID" 3; e2e_log "Xvfb stopped"; E2E_XVFB_PID=""; fi
}

# ----------------------------------------------------------------- windows & input
# e2e_wait_window TITLE_REGEX [TIMEOUT_S=20] -> X window id (works with and without virtual
# desktop: in virtual-desktop mode Wine windows are child X windows of the desktop window)
e2e_wait_window() {
    local re=$1 timeout=${2:-20} xid=""
    _e2e_ww() { xid=$(xdotool search --onlyvisible --name "$re" 2>/dev/null | head -n1); [ -n "$xid" ]; }
    e2e_poll "$timeout" 0.2 _e2e_ww || { e2e_die "window /$re/ not found within ${timeout}s"; return 1; }
    echo "$xid"
}

# e2e_fg : Wine's foreground window, e.g. "hwnd=0x1008c pid=260 ... title='Untitled - Notepad' ..."
e2e_fg() { e2e_wintool fg; }

# e2e_focus XID [WIN32_TITLE_SUBSTRING] [TIMEOUT_S=3]
# X focus via xdotool + check that Wine's foreground window follows (needs UseTakeFocus=N);
# falls back to SetForegroundWindow through wintool. Both must agree or keystrokes get lost.
e2e_focus() {
    local xid=$1 want=${2:-} timeout=${3:-3}
    # --sync can wait forever if the window never gets focus, hence the timeout
    timeout 5 xdotool windowfocus --sync "$xid" 2>/dev/null || xdotool windowfocus "$xid" || return 1
    [ -z "$want" ] && { sleep 0.3; return 0; }
    _e2e_fgok() { e2e_fg 2>/dev/null | grep -o "title='[^']*'" | grep -qiF -- "$want"; }
    e2e_poll "$timeout" 0.2 _e2e_fgok && return 0
    e2e_log "foreground did not follow X focus, using SetForegroundWindow"
    e2e_wintool setfg "$want" && xdotool windowfocus "$xid" && e2e_poll "$timeout" 0.2 _e2e_fgok
}

# e2e_click_focus XID [X=20 Y=10] : activate a window by clicking into it (works even with
# UseTakeFocus=Y; moves the caret if you click into text)
e2e_click_focus() { xdotool mousemove --window "$1" "${2:-20}" "${3:-10}" click 1; sleep 0.3; }

# e2e_type TEXT [DELAY_MS] : type into the focused window. ASCII is reliable; non-ASCII
# (ü, Cyrillic) arrives as text but the LL hook sees only VK_OEM_8 (0xDF) key-downs.
e2e_type() { xdotool type --delay "${2:-$E2E_TYPE_DELAY}" -- "$1"; }
# e2e_key KEYS... : xdotool key syntax, e.g. e2e_key ctrl+a BackSpace
e2e_key()  { xdotool key --delay 30 "$@"; }

# e2e_gettext WINDOW [CHILDCLASS=Edit] : text of a control in another process (CRLF -> LF)
# WINDOW: title substring | class:NAME | 0xHWND (see gettext.c)
e2e_gettext() { "$E2E_WINE" "$E2E_TOOLS/gettext.exe" -w 2000 ${2:+-c "$2"} "$1"; }
# e2e_dialog_text WINDOW ID : text of a dialog item by control id (65535: a message box's text)
e2e_dialog_text() { "$E2E_WINE" "$E2E_TOOLS/gettext.exe" -w 2000 -d "$2" "$1"; }

# e2e_wait_text WINDOW EXPECTED [TIMEOUT_S=5] : poll until the Edit text equals EXPECTED
e2e_wait_text() {
    local win=$1 want=$2 timeout=${3:-5} got=""
    _e2e_wt() { got=$(e2e_gettext "$win"); [ "$got" = "$want" ]; }
    e2e_poll "$timeout" 0.2 _e2e_wt && return 0
    e2e_log "text mismatch in '$win': got [$got] want [$want]"; return 1
}

# e2e_wait_log FILE REGEX [TIMEOUT_S=10] : wait for a line in a log file written by the app
# (CR LF line ends are dropped first, so "$" anchors work)
_e2e_log_has() { tr -d '\r' 2>/dev/null <"$2" | grep -qE -- "$1"; }
e2e_wait_log() { e2e_poll "${3:-10}" 0.1 _e2e_log_has "$2" "$1"; }

# e2e_post WINDOW MSG [WPARAM=0] [LPARAM=0] : PostMessage from a separate process
e2e_post() {
    e2e_wintool post "$1" "$2" "${3:-0}" "${4:-0}" && return 0
    local rc=$?; e2e_log "post $2 to '$1' failed (wintool rc=$rc)"; return $rc
}

# ----------------------------------------------------------------- tray
# e2e_tray_icon_pos [N=0] -> "X Y" screen centre of the N-th tray icon (both desktop modes)
e2e_tray_icon_pos() { e2e_wintool trayicon "${1:-0}" | tr -d '\r'; }

# e2e_tray_click [N=0] [BUTTON=1] : click a tray icon. Without a virtual desktop the
# stand-alone "Wine System Tray" window sits at the top-left and can be covered by other
# windows (no WM => plain X stacking), so it is raised first.
e2e_tray_click() {
    local pos tray
    tray=$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n1)
    [ -n "$tray" ] && xdotool windowraise "$tray"
    pos=$(e2e_tray_icon_pos "${1:-0}") || { e2e_die "tray icon ${1:-0} not found"; return 1; }
    xdotool mousemove $pos click "${2:-1}"
}

# ----------------------------------------------------------------- screenshots & registry
# e2e_screenshot FILE [CROP e.g. 200x60+0+0]
e2e_screenshot() { import -display "$DISPLAY" -window root ${2:+-crop "$2"} "$1"; }

# e2e_pixel FILE X Y -> "r,g,b"  (to assert on colours in screenshots)
e2e_pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# e2e_reg_query 'HKCU\SOFTWARE\Vendor\App' [VALUE] : raw `reg query` output with CR stripped
# A third argument, 32 or 64, names the registry view (HKLM\SOFTWARE differs between them).
e2e_reg_query() { "$E2E_WINE" reg query "$1" ${2:+/v "$2"} ${3:+/reg:$3} 2>/dev/null | tr -d '\r'; }
# e2e_reg_value KEY VALUE [VIEW] -> just the data (REG_DWORD comes back as 0x..)
e2e_reg_value() { e2e_reg_query "$1" "$2" "${3:-}" | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  */, ""); print; f = 1 } END { exit !f }'; }
