#!/usr/bin/env bash
# Runs every suite that ./test.sh runs under ThreadSanitizer again and again on a loaded machine, to find the
# races that one run in the test command meets only now and then. The suites run <parallel> at a time beside
# <busy> busy loops that keep the processors taken, each suite <runs> times, the runs of different suites side
# by side. Prints how many runs of each suite passed, keeps the log of every failed run in build/tsan/soak and
# fails when any run failed.
#
#   scripts/tsan-soak.sh [runs] [parallel] [busy]      (defaults: 20 runs, 4 at a time, 4 busy loops)
#
# With KV_SOAK_WHILE naming a file, the suites go on running, a round of every suite at a time, after their
# runs and for as long as the file is there: program-soak.sh keeps them running beside its rounds this way.
#
# It runs the suites of build/tsan as ./test.sh builds them; the list of suites is the one test.sh keeps.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/stages.sh

runs=${1:-20}
parallel=${2:-4}
busy=${3:-4}
soak=build/tsan/soak
suppressions="suppressions=$PWD/tests/tsan.supp"

# The suites as test.sh lists them, one a line between "tsan_suites=(" and ")".
mapfile -t suites < <(sed -n '/^tsan_suites=(/,/^)/{/^tsan_suites=(/d;/^)/d;s/^ *//;p}' test.sh)
for suite in "${suites[@]}"; do
  [ -x build/tsan/tests/"$suite" ] || { echo "build/tsan/tests/$suite is missing: build the tree as test.sh does"; exit 1; }
done

rm -rf "$soak"
mkdir -p "$soak"

kv_start_busy_loops "$busy"

# One run: its log is kept only when it failed.
run_once() {
  local suite=${1%:*} run=${1#*:}
  local log=$soak/$suite.$run.log
  if TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 $suppressions" build/tsan/tests/"$suite" > "$log" 2>&1; then
    rm -f "$log"
  else
    echo "$suite run $run failed: $log"
    return 1
  fi
}

jobs=()
for run in $(seq "$runs"); do
  for suite in "${suites[@]}"; do jobs+=("$suite:$run"); done
done
failed=0
kv_in_parallel "$parallel" run_once "${jobs[@]}" || failed=1
while [ -n "${KV_SOAK_WHILE:-}" ] && [ -e "$KV_SOAK_WHILE" ]; do
  runs=$((runs + 1))
  jobs=()
  for suite in "${suites[@]}"; do jobs+=("$suite:$runs"); done
  kv_in_parallel "$parallel" run_once "${jobs[@]}" || failed=1
done

for suite in "${suites[@]}"; do
  failures=$(find "$soak" -name "$suite.*.log" | wc -l)
  echo "$suite: $((runs - failures)) of $runs passed"
done
exit "$failed"
