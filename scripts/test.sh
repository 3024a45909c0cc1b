#!/usr/bin/env bash
# Sets up, builds both targets warning-free and runs every test under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for preset in x86_64 i686; do
  cmake --preset "$preset" -DKN_WARNINGS_AS_ERRORS=ON
  cmake --build --preset "$preset"
done
ctest --preset x86_64
