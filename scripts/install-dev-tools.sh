#!/bin/sh
# Tools for looking at the running program (screenshots, typing into it, reading it through
# the accessibility bus). Not needed to build, run or test Quorix.
set -eu
exec "$(dirname "$0")/install-deps.sh" imagemagick xdotool python3-pyatspi at-spi2-core dbus-x11
