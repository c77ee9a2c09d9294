# Sourced by the tools: one Wine prefix per architecture and one X display
# per checkout, kept under build/ so that nothing touches the user's own
# ~/.wine.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
# mscoree and mshtml off: Wine would otherwise offer to download Mono and Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml=d"

# Packages a fresh Debian 12 needs to build both programs and run and test
# them. wine32 only where this machine runs 32-bit code (see below).
SELVANE_PACKAGES="cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest wine wine64
  xvfb xauth xdotool x11-utils x11-apps imagemagick python3 python3-pil
  fonts-wqy-microhei"

# Whether this machine runs 32-bit x86 code. Some kernels are built without
# it ("32-bit emulation disabled"), and there every 32-bit program fails with
# "Exec format error"; only trying one tells. The probe is a 96-byte ELF32
# program that exits with 42. SELVANE_64BIT_ONLY=1 takes the 64-bit-only path
# on any machine.
selvane_runs_32bit() {
    case "${SELVANE_64BIT_ONLY:-}" in ""|0) ;; *) return 1 ;; esac
    if [ -z "${SELVANE_RUNS_32BIT:-}" ]; then
        local probe rc=1
        probe=$(mktemp "${TMPDIR:-/tmp}/selvane-probe32.XXXXXX") || return 1
        printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\273\052\000\000\000\270\001\000\000\000\315\200' >"$probe"
        chmod +x "$probe"
        "$probe" >/dev/null 2>&1 </dev/null; rc=$?
        rm -f "$probe"
        if [ "$rc" -eq 42 ]; then SELVANE_RUNS_32BIT=yes; else SELVANE_RUNS_32BIT=no; fi
        export SELVANE_RUNS_32BIT
    fi
    [ "$SELVANE_RUNS_32BIT" = yes ]
}

# The Wine architectures this machine tests and runs: win32 first (the main
# program), then win64.
selvane_arches() {
    if selvane_runs_32bit; then echo "win32 win64"; else echo "win64"; fi
}

selvane_install_packages() {
    local missing=() p packages=$SELVANE_PACKAGES
    if selvane_runs_32bit; then
        packages="$packages wine32:i386"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386 || return 1
            missing+=(i386)
        fi
    fi
    for p in $packages; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing what is missing: ${missing[*]}"
    as_root apt-get update -q || return 1
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends $packages
}

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Both programs: build/Selvane.exe (i686) and build/win64/Selvane.exe.
selvane_build_programs() {
    cd "$ROOT" || return 1
    cmake --preset default && cmake --build --preset default &&
        cmake --preset win64 && cmake --build --preset win64
}

# Points Wine at the prefix and loader of one architecture. Debian's `wine`
# wrapper picks the 32-bit loader whenever wine32 is installed, even for a
# 64-bit program, so the 64-bit side calls its loader directly.
selvane_use_arch() {
    case "$1" in
    win32)
        export WINEPREFIX="$ROOT/build/wineprefix" WINEARCH=win32
        SELVANE_WINE=$(selvane_find /usr/lib/wine/wine wine)
        SELVANE_WINESERVER=$(selvane_find /usr/lib/wine/wineserver32 wineserver)
        SELVANE_TEST_PRESET=tests
        SELVANE_EXE="$ROOT/build/Selvane.exe"
        ;;
    win64)
        export WINEPREFIX="$ROOT/build/wineprefix64" WINEARCH=win64
        SELVANE_WINE=$(selvane_find /usr/lib/wine/wine64 wine64 wine)
        SELVANE_WINESERVER=$(selvane_find /usr/lib/wine/wineserver64 wineserver)
        SELVANE_TEST_PRESET=tests64
        SELVANE_EXE="$ROOT/build/win64/Selvane.exe"
        ;;
    *)
        echo "unknown Wine architecture: $1" >&2
        return 1
        ;;
    esac
    export WINELOADER="$SELVANE_WINE" WINESERVER="$SELVANE_WINESERVER"
}

# The first of the given programs that exists (a path, or a name on PATH).
selvane_find() {
    local c
    for c in "$@"; do
        if [ -x "$c" ] || command -v "$c" >/dev/null 2>&1; then echo "$c"; return 0; fi
    done
    echo "$1"
}

selvane_wine_cmd() {
    "$SELVANE_WINE" "$@"
}

# Start Xvfb when there is no display. Composite stays on: layered windows need it.
selvane_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${SELVANE_FORCE_XVFB:-}" ]; then return 0; fi
    local n=${SELVANE_XVFB_DISPLAY:-$((90 + RANDOM % 400))}
    Xvfb ":$n" -screen 0 1280x1024x24 +extension Composite -nolisten tcp >/dev/null 2>&1 &
    SELVANE_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

# Make the prefix of the current architecture once, then keep one wineserver
# and Wine's own services alive for the whole run, all with output to
# /dev/null. Whatever starts them passes on its stdout and stderr; a service
# holding CTest's pipes makes CTest wait for it until the test times out.
selvane_wine() {
    mkdir -p "$WINEPREFIX"
    "$SELVANE_WINESERVER" -p >/dev/null 2>&1 </dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        selvane_wine_cmd wineboot -i >/dev/null 2>&1 </dev/null
    else
        selvane_wine_cmd wineboot >/dev/null 2>&1 </dev/null
    fi
    # The game window's caption and its close question are Chinese. Wine
    # links its dialog fonts to SimSun for Chinese text; a prefix has no
    # SimSun, so it gets a Chinese font of this machine's in its place.
    if [ ! -f "$WINEPREFIX/.selvane-fonts" ]; then
        selvane_wine_cmd reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun \
            /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 </dev/null && touch "$WINEPREFIX/.selvane-fonts"
    fi
}

# In our own Xvfb there is no window manager. Wine's "managed" windows wait
# for one (every hide times out after a second or two) and leave window
# moves to it, so there every window is left to Wine itself.
selvane_wine_without_wm() {
    selvane_wine_cmd reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

# On a real desktop the window manager looks after Wine's windows again.
selvane_wine_with_wm() {
    selvane_wine_cmd reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null
    return 0
}

selvane_cleanup() {
    local arch
    for arch in win32 win64; do
        [ -d "$ROOT/build/wineprefix$([ $arch = win64 ] && echo 64)" ] || continue
        (selvane_use_arch $arch && "$SELVANE_WINESERVER" -k >/dev/null 2>&1) || true
    done
    [ -n "${SELVANE_XVFB_PID:-}" ] && kill "$SELVANE_XVFB_PID" 2>/dev/null
    return 0
}
