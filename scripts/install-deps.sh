#!/bin/sh
# Installs the build and end-to-end test tools on Debian 12 (run as root).
# Idempotent: when everything is present it prints nothing and touches no package list.
set -eu

PACKAGES="cmake ninja-build g++ libgtest-dev wine wine64 g++-mingw-w64-x86-64-posix xvfb
xdotool openbox imagemagick fonts-noto-cjk x11-utils x11-xkb-utils python3
clang libclang-rt-14-dev weasyprint poppler-utils"

missing=""
for pkg in $PACKAGES; do
    # dpkg -s also lists removed-but-configured packages: require the installed state.
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing="$missing $pkg"
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing:$missing (run as root)" >&2
    exit 1
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq $missing >/dev/null
echo "install-deps: done"
