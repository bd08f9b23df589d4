#!/bin/sh
# Tools for looking at the running program (screenshots, typing into it). Not needed to
# build, run or test Quorix.
set -eu

PACKAGES="
imagemagick
xdotool
python3-pyatspi
at-spi2-core
dbus-x11
"

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

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
