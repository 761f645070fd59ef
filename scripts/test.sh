#!/bin/sh
# Installs what is missing, builds everything, runs the unit tests (every fuzz target
# over its seed corpus among them), and then the end-to-end tests (the real
# KeloMenu.exe under Wine inside Xvfb).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
sh "$ROOT/scripts/install-deps.sh"
sh "$ROOT/scripts/build.sh"
python3 "$ROOT/tests/e2e/run_all.py"
