#!/usr/bin/env bash
# Cross-compiling emulator for the win64 preset: runs one Windows program under
# Wine in the build tree's private prefix. scripts/with-wine.sh sets the prefix
# and display up; run alone, this falls back to build/win64/wineprefix.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$root/build/win64/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
