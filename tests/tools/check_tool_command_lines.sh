#!/usr/bin/env bash
# The developer programs' command lines: every tool prints its usage on standard output and exits 0 for
# --help, and exits 2 with a message on standard error for arguments it does not take; physprobe reads
# decimals, keeps its documented ranges, lists the table kinds and warns of a ball off the bed.
# Usage: check_tool_command_lines.sh <folder with the tools>. Exit status: 0 all agree, 1 otherwise.
set -uo pipefail
tools=$1
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAILED: $*"
  failed=1
}

# expect <status> <what> <command...>: runs the command, its output in $work/out and $work/err.
expect() {
  local want=$1 what=$2
  shift 2
  "$@" > "$work/out" 2> "$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$what: exit $got, expected $want ($(head -c 300 "$work/err"))"
}

for tool in tpk physprobe sysreport mkdata; do
  expect 0 "$tool --help" "$tools/$tool" --help
  grep -q "^usage: $tool" "$work/out" || fail "$tool --help prints no usage on standard output"
  grep -q "Exit status" "$work/out" || fail "$tool --help does not document its exit status"
  [ -s "$work/err" ] && fail "$tool --help writes to standard error"
  expect 2 "$tool --no-such-option" "$tools/$tool" --no-such-option x y z
  [ -s "$work/err" ] || fail "$tool says nothing of a bad argument"
done
expect 2 "tpk without a command" "$tools/tpk"
expect 2 "tpk list without a package" "$tools/tpk" list
expect 1 "tpk list of a missing file" "$tools/tpk" list "$work/missing.tpk"
grep -q "no such file" "$work/err" || fail "a missing package is not reported as missing: $(cat "$work/err")"

probe="$tools/physprobe"
shot=(--ball 0,0 --aim 0,50)
expect 0 "physprobe --substeps 010" "$probe" "${shot[@]}" --substeps 010 --max-calls 2000
grep -q "substeps=10$" "$work/out" || fail "--substeps 010 is not read as ten: $(head -n 1 "$work/out")"
expect 0 "physprobe --model 0x10014" "$probe" "${shot[@]}" --model 0x10014
for bad in "--power -1" "--power 1.5" "--contact 1e30,0" "--spin 0,9" "--elevation 2" "--time-factor 1e30" \
           "--max-calls 100000000" "--max-calls 0" "--substeps 0" "--table 12" "--ball-set 7" "--ball 1e30,0" \
           "--aim nan,0" "--time-scale -1" "--model 0x10015" "--substeps 1x"; do
  # shellcheck disable=SC2086
  expect 2 "physprobe $bad" "$probe" "${shot[@]}" $bad
done
expect 0 "physprobe --tables" "$probe" --tables
[ "$(grep -c '^table ' "$work/out")" -eq 12 ] || fail "--tables does not list the twelve table kinds"
expect 0 "physprobe with a ball off the bed" "$probe" --ball 0,0 --ball 900,0 --aim 0,50 --max-calls 2000
grep -q "ball 1 .*off the bed" "$work/err" || fail "no warning of a ball off the bed: $(cat "$work/err")"
expect 0 "physprobe with the balls on the bed" "$probe" "${shot[@]}"
[ -s "$work/err" ] && fail "a warning for a ball on the bed: $(cat "$work/err")"

exit $failed
