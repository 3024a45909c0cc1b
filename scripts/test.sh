#!/usr/bin/env bash
# The test command: sets up the machine, builds both targets warning-free,
# checks the shipped 32-bit files, runs every test under wine64 and then the
# 32-bit smoke stage. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# While 32-bit programs can run, a new Wine prefix also prepares its 32-bit
# side under emulation (minutes instead of seconds): keep the emulator off
# until the 32-bit stage.
source scripts/wine32.sh
kn_emulator_pause
trap 'kn_emulator_resume' EXIT

for preset in x86_64 i686; do
  cmake --preset "$preset" -DKN_WARNINGS_AS_ERRORS=ON
  cmake --build --preset "$preset"
done
bash scripts/check-artefacts.sh build/i686/dist
ctest --preset x86_64
kn_emulator_resume
bash scripts/smoke32.sh
