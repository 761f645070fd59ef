#!/bin/sh
# Installs what is missing, builds everything, runs the unit tests, each fuzz
# target for 2 seconds, and then the end-to-end tests (the real KeloMenu.exe under Wine inside Xvfb).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
sh "$ROOT/scripts/install-deps.sh"
sh "$ROOT/scripts/build.sh"
# Each fuzz target for a moment, from its seed corpus: a check that still fails stops here.
sh "$ROOT/scripts/fuzz.sh" 2
python3 "$ROOT/tests/e2e/run_all.py"
