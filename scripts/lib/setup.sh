#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: install what is missing, build what changed.
KV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export KV_ROOT
. "$KV_ROOT/scripts/lib/host.sh"

KV_PACKAGES=(cmake make g++ python3 libgtest-dev googletest clang libclang-rt-14-dev
             mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
             wine wine64 xvfb xdotool x11-utils imagemagick fp-utils nsis)
# The 32-bit Windows build's runtime, from the i386 architecture: only where i386 programs run.
KV_PACKAGES_32BIT=(wine32:i386)

kv_say() { printf '== %s\n' "$*" >&2; }

kv_install_deps() {
    local missing=() p packages=("${KV_PACKAGES[@]}")
    kv_host_runs_32bit && packages+=("${KV_PACKAGES_32BIT[@]}")
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    kv_say "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if kv_host_runs_32bit; then
        dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386 || return 1
    fi
    $sudo apt-get update -q || return 1
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# kv_build NAME [CMAKE_ARGS...] : configure once, then an incremental build in build/NAME
kv_build() {
    local name=$1; shift
    local dir="$KV_ROOT/build/$name"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$KV_ROOT" -B "$dir" "$@" >"$KV_ROOT/build/$name.configure.log" 2>&1 ||
            { cat "$KV_ROOT/build/$name.configure.log"; return 1; }
    fi
    cmake --build "$dir" -j2
}

kv_build_windows() {
    kv_build "$1" -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/toolchain-$2-w64-mingw32.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}
