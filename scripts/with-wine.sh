#!/usr/bin/env bash
# Usage: with-wine.sh BUILD_DIR COMMAND...
# Runs COMMAND with a private Wine prefix inside BUILD_DIR (made once, reused) and
# an Xvfb display on a free number, then stops that prefix's wineserver and Xvfb.
set -euo pipefail
build_dir="$(cd "$1" && pwd)"
shift

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

xvfb_pid=""
cleanup() {
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" >/dev/null 2>&1 || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

# Several builds may look for a free display at the same moment: a number that looked
# free can be taken before our Xvfb gets it. Xvfb then exits, and the next number is tried.
display=""
for n in $(seq 90 140); do
    if [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; then
        continue
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [[ -e /tmp/.X11-unix/X$n ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && [[ -e /tmp/.X11-unix/X$n ]]; then
        display=":$n"
        break
    fi
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
if [[ -z $display ]]; then
    echo "with-wine: no free X display number" >&2
    exit 1
fi
export DISPLAY="$display"

if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "with-wine: creating the Wine prefix in $WINEPREFIX (once)"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
fi
# Xvfb runs no window manager, so Wine draws the windows' frames and captions itself:
# screenshots then show the dialog as a user would see it. Set once per prefix.
if [[ ! -f $WINEPREFIX/.tamsel-unmanaged ]]; then
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.tamsel-unmanaged"
fi

"$@"
