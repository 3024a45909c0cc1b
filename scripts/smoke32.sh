#!/usr/bin/env bash
# The 32-bit smoke stage: runs the shipped i686 files themselves under 32-bit
# Wine through qemu's user-mode emulator, in a prefix of their own.
#   1. Valdrin.exe while a 32-bit helper holds the single-instance mutex:
#      exit code 1 and the second-instance report on standard error.
#   2. Valdrin.exe alone: exit code 0 and no report.
#   3. When numbridge.dll exists: a 32-bit host loads it, connects to the
#      32-bit editor stand-in, runs one script and reads the result in both
#      encodings; the stand-in is then ended through its stop file.
# Skipped (exit 0) only where the emulator cannot be registered; any failed
# check fails the stage and prints the stage's full output.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/wine32.sh

build=$root/build/i686
stage=$root/build/smoke32
started=$SECONDS

if ! kn_emulator_on; then
  echo "32-bit smoke stage skipped: $KN_EMULATOR_REASON"
  exit 0
fi
trap 'kn_wine32_stop; kn_emulator_restore' EXIT

rm -rf "$stage" && mkdir -p "$stage"
log=$stage/stage.log
failures=0
check() {  # check <description> <condition command...>
  local what=$1; shift
  if "$@"; then echo "PASS  $what"; else echo "FAIL  $what"; failures=$((failures + 1)); fi
}
winpath() { local p=${1//\//\\}; echo "Z:$p"; }  # Wine's drive Z: is the root

# The second-instance report: "YYYY-MM-DD hh:mm:ss : <message>", after the
# byte-order mark that the log writes at the start of a new file.
report_line() {
  sed '1s/^\xEF\xBB\xBF//' "$1" | grep -Eq \
    '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} : .*An Instance of Valdrin is already running\.'
}
trace_line() {
  grep -A1 'An Instance of Valdrin is already running\.' "$1" | tail -n 1 | tr -d '\r' | grep -qx 'Trace: (null)'
}

# Waits up to <seconds> for a line matching <pattern> in a file.
wait_for_line() {
  local file=$1 pattern=$2 limit=$3 start=$SECONDS
  until grep -q "$pattern" "$file" 2>/dev/null; do
    [ $((SECONDS - start)) -ge "$limit" ] && return 1
    sleep 1
  done
}

# Waits up to <seconds> for a file to appear.
wait_for() {
  local file=$1 limit=$2 start=$SECONDS
  while [ ! -e "$file" ]; do
    [ $((SECONDS - start)) -ge "$limit" ] && return 1
    sleep 1
  done
}

run_stage() {
  echo "== 32-bit smoke stage"
  boot=$SECONDS
  kn_wine32_prefix "$root/build/wine32prefix" || { echo "FAIL  booting the 32-bit Wine prefix"; return 1; }
  echo "prefix ready after $((SECONDS - boot)) s"

  cp -r "$build/dist" "$stage/dist"
  host=$build/tests/smoke32/SmokeHost.exe
  standin=$(find "$build/tests/standins" -name EditorStandIn.exe 2>/dev/null | head -1)
  check "SmokeHost.exe was built" test -f "$host"
  check "Valdrin.exe was built" test -f "$stage/dist/Valdrin.exe"

  # The stand-in registers itself while the mutex holder starts.
  if [ -f "$stage/dist/numbridge.dll" ] && [ -n "$standin" ]; then
    cp "$standin" "$stage/EditorStandIn.exe"
    /usr/lib/wine/wine "$stage/EditorStandIn.exe" /RegServer </dev/null >"$stage/register.out" 2>&1 &
    register=$!
  fi

  # 1. A second instance.
  /usr/lib/wine/wine "$host" hold 'Local\com.corvane.zel.Valdrin' "$(winpath "$stage/held")" \
    "$(winpath "$stage/release")" </dev/null >"$stage/hold.out" 2>&1 &
  holder=$!
  if wait_for "$stage/held" 300; then
    (cd "$stage/dist" && /usr/lib/wine/wine ./Valdrin.exe </dev/null >"$stage/second.out" 2>"$stage/second.err")
    rc=$?
    check "Valdrin.exe exits 1 while the mutex is held (got $rc)" test $rc -eq 1
    check "its report is a time-stamped line naming the running instance" \
      report_line "$stage/second.err"
    check "the report's next line is \"Trace: (null)\"" trace_line "$stage/second.err"
    echo "--- standard error of the second instance:"; cat "$stage/second.err"
  else
    check "the 32-bit helper holds the mutex" false
    cat "$stage/hold.out"
  fi
  touch "$stage/release"
  wait $holder

  # 2. A normal run, beside the bridge check.
  (cd "$stage/dist" && /usr/lib/wine/wine ./Valdrin.exe </dev/null >"$stage/normal.out" 2>"$stage/normal.err"; echo $? >"$stage/normal.rc") &
  normal=$!

  # 3. numbridge.dll in a 32-bit host with the 32-bit editor stand-in.
  if [ -n "${register:-}" ]; then
    wait $register
    check "the editor stand-in registers itself" test $? -eq 0
    /usr/lib/wine/wine "$host" bridge "$(winpath "$stage/dist/numbridge.dll")" </dev/null >"$stage/bridge.out" 2>&1
    rc=$?
    cat "$stage/bridge.out"
    check "the 32-bit host's checks pass (exit $rc)" test $rc -eq 0
    touch "$stage/EditorStandIn.stop"
    check "the editor stand-in ends through its stop file" \
      wait_for_line "$stage/EditorStandIn.log" '^End ' 180
    sleep 5
    # A fault the emulator reports after the stand-in's last step is shown,
    # not counted: its own log says it ended.
    grep -h '^qemu:' "$stage/bridge.out" | sed 's/^/note: after it ended, /'
  else
    echo "numbridge.dll or the editor stand-in is not built: bridge check not run"
  fi

  wait $normal
  rc=$(cat "$stage/normal.rc")
  check "Valdrin.exe exits 0 on a normal run (got $rc)" test "$rc" -eq 0
  check "a normal run reports nothing on standard error" test ! -s "$stage/normal.err"
  [ -s "$stage/normal.err" ] && { echo "--- standard error of the normal run:"; cat "$stage/normal.err"; }

  echo "32-bit smoke stage took $((SECONDS - started)) s: $failures failed check(s)"
  return $((failures > 0))
}
run_stage >"$log" 2>&1
status=$?

if [ $status -eq 0 ]; then
  grep -E '^(PASS|FAIL|note|32-bit|prefix|==)' "$log"
else
  echo "32-bit smoke stage FAILED; its full output:"
  cat "$log"
fi
exit $status
