#!/bin/sh
# The reliability checks at full length, in one command: installs and builds as the test
# command does, runs the unit tests (the bad-input tables and the captured keyboard
# layouts among them), every fuzz target for a set time, and the reliability tests
# under Wine at full length (the soak, the focus thief, held keys and Caps Lock, the
# input method, the hung host, partial settings) with the display-change test.
#   scripts/reliability.sh [fuzz-seconds-per-target]     default: 60 s
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
sh "$ROOT/scripts/install-deps.sh"
sh "$ROOT/scripts/build.sh"
sh "$ROOT/scripts/fuzz.sh" "${1:-60}"
python3 "$ROOT/tests/e2e/run_all.py" --long -k reliability -k display_change
