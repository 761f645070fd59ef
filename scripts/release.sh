#!/bin/sh
# Makes the release zip in one command: installs what is missing, builds, takes the
# manual's pictures from the real programs under Wine, renders the manual and zips
# KeloMenu.exe, KeloCalculator.EXE and the manual in one folder:
#   build/release/KeloMenu-<version>.zip
#
#   scripts/release.sh [--reuse-shots]
#
# --reuse-shots keeps the pictures in docs/manual/shots (taken by an earlier run and
# committed) instead of taking them again, which saves about a minute of Wine.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SHOTS=1
for arg in "$@"; do
    case "$arg" in
        --reuse-shots) SHOTS=0 ;;
        *) echo "usage: scripts/release.sh [--reuse-shots]" >&2; exit 2 ;;
    esac
done

sh "$ROOT/scripts/install-deps.sh"
sh "$ROOT/scripts/build.sh" --no-test
if [ "$SHOTS" = 1 ]; then
    python3 "$ROOT/tools/manual/screenshots.py"
fi
python3 "$ROOT/tools/manual/build_manual.py"
python3 "$ROOT/tools/manual/make_release.py"
