#!/usr/bin/env bash
# Checks the shipped 32-bit files in a build's output folder: Valdrin.exe is a
# PE32 i386 program for the Windows GUI subsystem, numbridge.dll a PE32 i386
# library exporting exactly its six undecorated functions, and neither imports
# a C++, GCC or threads runtime DLL. Usage: check-artefacts.sh <dist folder>
set -uo pipefail
dist=${1:?usage: check-artefacts.sh <dist folder>}
objdump=i686-w64-mingw32-objdump
failures=0

check() {  # check <description> <command...>: runs the command, prints PASS/FAIL
  local what=$1; shift
  if "$@"; then echo "PASS  $what"; else echo "FAIL  $what"; failures=$((failures + 1)); fi
}

no_runtime_imports() {
  local imports
  imports=$($objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
  if grep -Eiq 'libstdc|libgcc|winpthread' <<<"$imports"; then
    echo "      $1 imports: $(tr '\n' ' ' <<<"$imports")"
    return 1
  fi
}

exports_exactly() {  # exports_exactly <dll> <name...>
  local dll=$1; shift
  local have want
  have=$($objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
         sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
  want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  [ "$have" = "$want" ] || { echo "      $dll exports: $have"; return 1; }
}

exe=$dist/Valdrin.exe
dll=$dist/numbridge.dll
check "Valdrin.exe exists" test -f "$exe"
if [ -f "$exe" ]; then
  check "Valdrin.exe is PE32 i386 for the GUI subsystem" \
    grep -q 'PE32 executable (GUI) Intel 80386' <<<"$(file -b "$exe")"
  check "Valdrin.exe imports no runtime DLL" no_runtime_imports "$exe"
fi
check "numbridge.dll exists" test -f "$dll"
if [ -f "$dll" ]; then
  check "numbridge.dll is a PE32 i386 DLL" \
    grep -q 'PE32 executable (DLL).*Intel 80386' <<<"$(file -b "$dll")"
  check "numbridge.dll exports exactly its six functions" exports_exactly "$dll" \
    gxlaunch gxquit gxjavascript gxjavascriptu gxjavascriptgetresult gxlasterror
  check "numbridge.dll imports no runtime DLL" no_runtime_imports "$dll"
fi
[ $failures -eq 0 ] && echo "artefacts: all checks passed" || echo "artefacts: $failures check(s) failed"
exit $((failures > 0))
