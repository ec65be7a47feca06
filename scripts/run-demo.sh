#!/usr/bin/env bash
# Opens the Linux dialog against the virtual camera, in demo/ (kept out of git): a
# Device.ini there names the virtual camera and shows all four panels, and the camera's
# registers live in demo/virtual-camera.state, so what one run sets the next one reads.
# Without a display it renders the dialog offscreen to demo/tamsel.png instead.
#
# TAMSEL_BUILD_DIR picks another build tree than build/linux (the one `make run` builds).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TAMSEL_BUILD_DIR:-$root/build/linux}"
program="$(realpath -m "$build")/platform/qt/Tamsel"
if [[ ! -x "$program" ]]; then
    echo "run-demo: $program is missing; build the linux preset first (make run does)." >&2
    exit 1
fi

demo="$root/demo"
mkdir -p "$demo"
if [[ ! -f "$demo/Device.ini" ]]; then
    printf '[Device]\r\nName=Tamsel Virtual Camera\r\nFunction=4\r\n' >"$demo/Device.ini"
    echo "Wrote $demo/Device.ini (edit it to try another name or function level)."
fi
export TAMSEL_VIRTUAL_CAMERA="$demo/virtual-camera.state"
# Qt wants a private runtime directory; a root shell or a bare CI has none.
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# The program reads Device.ini from its working directory.
cd "$demo"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): rendering the dialog offscreen."
    rm -f "$demo/tamsel.png"
    QT_QPA_PLATFORM=offscreen "$program" --screenshot "$demo/tamsel.png"
    if [[ ! -f "$demo/tamsel.png" ]]; then
        echo "run-demo: no screenshot was written." >&2
        exit 1
    fi
    echo "Screenshot of the dialog: $demo/tamsel.png"
else
    exec "$program"
fi
