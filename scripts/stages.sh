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
