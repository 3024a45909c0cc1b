#!/usr/bin/env bash
# The main job: sets up the machine, builds both targets, gathers the shipped
# files in build/i686/dist and starts Valdrin.exe from there under Wine,
# printing its exit code and its log (standard error). The 32-bit file runs
# under 32-bit Wine through qemu's user-mode emulator where it can be
# registered; elsewhere its x86_64 twin runs under wine64, and the output says so.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
for preset in i686 x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "Shipped files in build/i686/dist:"
ls -l build/i686/dist

source scripts/wine32.sh
run=$root/build/run
rm -rf "$run" && mkdir -p "$run"
set +e
if kn_emulator_on; then
  trap 'kn_wine32_stop; kn_emulator_restore' EXIT
  kn_wine32_prefix "$root/build/wine32prefix"
  cp -r build/i686/dist "$run/dist"
  echo "Starting the 32-bit Valdrin.exe under 32-bit Wine (about a minute under emulation)..."
  (cd "$run/dist" && timeout 600 /usr/lib/wine/wine ./Valdrin.exe </dev/null 2>"$run/Valdrin.log")
  code=$?
else
  echo "32-bit programs cannot run here ($KN_EMULATOR_REASON); starting the x86_64 twin under wine64."
  export WINEPREFIX=$root/build/x86_64/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cp -r build/x86_64/dist "$run/dist"
  (cd "$run/dist" && timeout 600 /usr/lib/wine/wine64 ./Valdrin.exe </dev/null 2>"$run/Valdrin.log")
  code=$?
  /usr/lib/wine/wineserver -k 2>/dev/null || true
fi
echo "Valdrin.exe exit code: $code"
echo "Valdrin.exe log (standard error):"
cat "$run/Valdrin.log"
