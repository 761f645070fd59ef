#!/bin/sh
# Installs what is missing, builds, and starts the toolbar beside the stand-in
# host under Wine: on $DISPLAY when there is one, otherwise on an Xvfb display,
# saving a screenshot to build/demo.png.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
sh "$ROOT/scripts/install-deps.sh"
sh "$ROOT/scripts/build.sh" --no-test
exec python3 "$ROOT/tools/e2e/demo.py" "$@"
