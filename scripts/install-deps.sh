#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, but only
# the ones that are missing, so a second run costs a second.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    googletest libgtest-dev libbenchmark-dev
    qt6-base-dev fonts-dejavu-core
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 fonts-wine fonts-liberation
    xvfb xdotool x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    SUDO=sudo
else
    SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
