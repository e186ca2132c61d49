# The build environment shared by run.sh and test.sh: ccache set up so that a clean clone in another folder
# compiles from what the last build cached, and stages that report how long they took.

# ccache hashes paths below the tree's root as relative ones and ignores the working folder, so the same
# source compiles to the same cache entry in every clone.
kv_use_ccache() {
  export CCACHE_BASEDIR="$PWD"
  export CCACHE_NOHASHDIR=1
}

# kv_stage <name> <command> [<argument>...]: runs the command as one stage and prints its time. A failing
# command ends the script (set -e) without the time line.
kv_stage() {
  local name=$1
  shift
  local start=$EPOCHREALTIME
  "$@"
  kv_report_stage "$name" "$start"
}

kv_report_stage() {
  local name=$1 start=$2
  local elapsed
  elapsed=$(awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.1f", end - start }')
  echo "[stage] $name: ${elapsed} s"
}

# kv_in_parallel <jobs> <command> <item>...: runs "<command> <item>" for every item, at most <jobs> at a time,
# for stages made of independent single-threaded runs (fuzz targets, benchmarks). Fails when any run failed,
# after all of them ended.
kv_in_parallel() {
  local jobs=$1 command=$2
  shift 2
  local running=0 failed=0 item
  for item in "$@"; do
    "$command" "$item" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
      wait -n || failed=1
      running=$((running - 1))
    fi
  done
  while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
  done
  return "$failed"
}

# kv_start_busy_loops <count>: that many loops that keep a processor each busy until the script ends (its EXIT
# trap stops them), for the soaks that look for the faults only a loaded machine shows.
kv_start_busy_loops() {
  kv_busy_pids=()
  local n
  for n in $(seq "$1"); do
    (while :; do :; done) &
    kv_busy_pids+=($!)
  done
  trap kv_stop_busy_loops EXIT
}

kv_stop_busy_loops() {
  local pid
  for pid in "${kv_busy_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
