# Sourced by the tools: one Wine prefix and one X display per checkout, kept
# under build/ so that nothing touches the user's own ~/.wine.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$ROOT/build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# mscoree and mshtml off: Wine would otherwise offer to download Mono and Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml=d"

# Packages a fresh Debian 12 needs to build, run and test everything.
SELVANE_PACKAGES="cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
  wine wine32:i386 xvfb xauth xdotool x11-utils x11-apps imagemagick python3 python3-pil"

selvane_install_packages() {
    local missing=() p
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386 || return 1
        missing+=(i386)
    fi
    for p in $SELVANE_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing what is missing: ${missing[*]}"
    as_root apt-get update -q || return 1
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends $SELVANE_PACKAGES
}

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

selvane_build() {
    cd "$ROOT" || return 1
    cmake --preset default >/dev/null && cmake --build --preset default
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

# Make the prefix once, then keep one wineserver and Wine's own services alive
# for the whole run, all with output to /dev/null. Whatever starts them passes
# on its stdout and stderr; a service holding CTest's pipes makes CTest wait
# for it until the test times out.
selvane_wine() {
    mkdir -p "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1 </dev/null
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in $WINEPREFIX"
        wineboot -i >/dev/null 2>&1 </dev/null
    else
        wineboot >/dev/null 2>&1 </dev/null
    fi
}

# In our own Xvfb there is no window manager. Wine's "managed" windows wait
# for one (every hide times out after a second or two) and leave window
# moves to it, so there every window is left to Wine itself.
selvane_wine_without_wm() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

# On a real desktop the window manager looks after Wine's windows again.
selvane_wine_with_wm() {
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null
    return 0
}

selvane_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${SELVANE_XVFB_PID:-}" ] && kill "$SELVANE_XVFB_PID" 2>/dev/null
    return 0
}
