#!/usr/bin/env bash
# What this host can run, and the Wine loader that goes with it. Sourced by scripts/lib/setup.sh
# and tests/e2e/run.sh.
#
# Some kernels run only 64-bit user programs (IA-32 emulation off): every i386 program, Wine's
# 32-bit loader included, fails with "Exec format error". Wine's 64-bit loader still runs the
# 64-bit build there. The answer comes from trying a 32-bit program, never from the distribution;
# KV_HOST_32BIT=1 or 0 forces it (to try the other path on a host of the other kind).

# A static i386 Linux program of 96 bytes that only exits with status 42.
KV_I386_PROBE='f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuyoAAAC4AQAAAM2A'
KV_WINE64_LOADER=/usr/lib/wine/wine64
KV_HOST_32BIT_REASON="this machine's kernel does not run 32-bit programs (a 32-bit test program failed to start, as on kernels with IA-32 emulation switched off), so Wine's 32-bit loader cannot start and the 32-bit Windows build cannot run here"

# kv_host_runs_32bit : true when this host runs i386 programs
kv_host_runs_32bit() {
    case "${KV_HOST_32BIT:-}" in
        1) return 0 ;;
        0) return 1 ;;
        "") ;;
        *) echo "KV_HOST_32BIT must be 0 or 1, not '$KV_HOST_32BIT'" >&2; return 2 ;;
    esac
    if [ -z "${_KV_HOST_32BIT_PROBED:-}" ]; then
        local dir probe rc
        # Not under /tmp: it may be mounted noexec, which would read as "no 32-bit".
        dir=$(mktemp -d "${KV_ROOT:-.}/.i386-probe.XXXXXX") || return 1
        probe="$dir/probe"
        base64 -d <<<"$KV_I386_PROBE" >"$probe" && chmod +x "$probe"
        "$probe" >/dev/null 2>&1
        rc=$?
        rm -rf "$dir"
        if [ $rc -eq 42 ]; then _KV_HOST_32BIT_PROBED=yes; else _KV_HOST_32BIT_PROBED=no; fi
        export _KV_HOST_32BIT_PROBED
    fi
    [ "$_KV_HOST_32BIT_PROBED" = yes ]
}

# kv_host_32bit_reason : why the 32-bit build is not run, in words a newcomer understands
kv_host_32bit_reason() {
    if [ "${KV_HOST_32BIT:-}" = 0 ]; then
        echo "KV_HOST_32BIT=0 treats this machine as one whose kernel runs no 32-bit programs, so the 32-bit Windows build is not run here"
    else
        echo "$KV_HOST_32BIT_REASON"
    fi
}

# kv_use_host_wine : exports E2E_WINE (and WINELOADER where needed) and KV_PREFIX_NAME, the
# name of the Wine prefix folder for this kind of host. A prefix booted by the 64-bit loader
# alone cannot run 32-bit programs later, so the two kinds never share one.
kv_use_host_wine() {
    if kv_host_runs_32bit; then
        E2E_WINE=$(command -v wine) || { echo "wine is not installed" >&2; return 1; }
        unset WINELOADER
        KV_PREFIX_NAME=prefix
    else
        [ -x "$KV_WINE64_LOADER" ] || { echo "Wine's 64-bit loader $KV_WINE64_LOADER is missing (package wine64)" >&2; return 1; }
        E2E_WINE=$KV_WINE64_LOADER
        export WINELOADER=$KV_WINE64_LOADER
        KV_PREFIX_NAME=prefix-wine64
    fi
    export E2E_WINE KV_PREFIX_NAME
}

# kv_pe_bits FILE : 32 or 64, the bitness of a Windows program or library
kv_pe_bits() {
    local pe machine
    pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
    [ -n "$pe" ] || return 1
    machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case "$machine" in
        014c) echo 32 ;;
        8664) echo 64 ;;
        *) return 1 ;;
    esac
}
