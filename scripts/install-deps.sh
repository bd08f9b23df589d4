#!/bin/sh
# Installs the Debian 12 packages Quorix needs to build, test and run.
# Safe to run again: when every package is present it installs nothing.
# With arguments it installs those packages instead (scripts/install-dev-tools.sh).
set -eu

PACKAGES="
build-essential
cmake
pkg-config
ccache
qt6-base-dev
qt6-base-dev-tools
qt6-qpa-plugins
libgl-dev
fonts-ipafont-gothic
adwaita-icon-theme
hicolor-icon-theme
shared-mime-info
xvfb
xauth
xdg-utils
clang
libclang-rt-14-dev
"

[ $# -gt 0 ] && PACKAGES="$*"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
