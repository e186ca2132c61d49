#!/usr/bin/env bash
# Runs the program checks (the real program under Xvfb, driven through XTest) again and again on a loaded
# machine, to find the checks that fail only when frames come slowly. Each round runs every check whose ctest
# name matches <pattern>, <parallel> at a time, beside <busy> busy loops that keep the processors taken and the
# threaded suites under ThreadSanitizer, <tsan> at a time (scripts/tsan-soak.sh, at least 20 runs of each suite
# and on until the last round ends; 0: none). Prints how many rounds each check passed and how many runs of each
# suite passed, keeps the output and the working folder (its screenshots) of every failed run in
# build/test/soak/<round>/ (the suites' failed logs in build/tsan/soak) and fails when any run failed. The checks
# labelled soak, which the test run leaves out, run here as well.
#
#   scripts/program-soak.sh [rounds] [parallel] [busy] [pattern] [tsan]
#                           (defaults: 10 rounds, 8 at a time, 4 busy loops, "program_x11|gallery_x11", 4)
#
# It runs the checks of build/test and the suites of build/tsan as ./test.sh builds them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/stages.sh

rounds=${1:-10}
parallel=${2:-8}
busy=${3:-4}
pattern=${4:-program_x11|gallery_x11}
tsan=${5:-4}
tree=$PWD/build/test
soak=$tree/soak

[ -f "$tree/CTestTestfile.cmake" ] || { echo "build/test is missing: build the tree as test.sh does"; exit 1; }
[ "$tsan" -eq 0 ] || [ -d build/tsan/tests ] || { echo "build/tsan is missing: build the tree as test.sh does"; exit 1; }
mapfile -t checks < <(cd "$tree" && ctest -N -R "$pattern" | sed -n 's/^ *Test *#[0-9]*: //p')
[ "${#checks[@]}" -gt 0 ] || { echo "no check matches $pattern"; exit 1; }

rm -rf "$soak"
mkdir -p "$soak"

kv_start_busy_loops "$busy"

# The threaded suites run for as long as the rounds' flag file is there.
if [ "$tsan" -gt 0 ]; then
  touch "$soak/rounds-running"
  KV_SOAK_WHILE=$soak/rounds-running scripts/tsan-soak.sh 20 "$tsan" 0 > "$soak/tsan.log" 2>&1 &
  tsan_pid=$!
  # A soak cut short lets the suites end after the round they are in.
  trap 'rm -f "$soak/rounds-running"; kv_stop_busy_loops' EXIT
fi

# The working folder a check's environment names, where its screenshots are.
work_folder() {
  (cd "$tree" && ctest -R "^$1\$" --show-only=json-v1) |
    grep -o '"KESTROVAN_WORK_FOLDER=[^;"]*' | head -n 1 | sed 's/^"KESTROVAN_WORK_FOLDER=//'
}

declare -A failures=()
for round in $(seq "$rounds"); do
  log=$soak/round$round.log
  (cd "$tree" && ctest -R "$pattern" -j "$parallel" --output-on-failure) > "$log" 2>&1 || true
  failed=$(sed -n '/The following tests FAILED:/,$p' "$log" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p')
  for check in $failed; do
    failures[$check]=$((${failures[$check]:-0} + 1))
    folder=$(work_folder "$check")
    mkdir -p "$soak/$round"
    [ -n "$folder" ] && [ -d "$folder" ] && cp -r "$folder" "$soak/$round/$check"
  done
  echo "round $round: $(grep -E 'tests passed' "$log" || echo 'no summary')${failed:+ (failed: $(echo $failed))}"
done

status=0
for check in "${checks[@]}"; do
  echo "$check: $((rounds - ${failures[$check]:-0})) of $rounds passed"
  [ -z "${failures[$check]:-}" ] || status=1
done
if [ "$tsan" -gt 0 ]; then
  rm -f "$soak/rounds-running"
  wait "$tsan_pid" || status=1
  cat "$soak/tsan.log"
fi
exit "$status"
