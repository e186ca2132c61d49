#!/usr/bin/env bash
# Runs every golden shot of data/golden_shots.txt through the given physprobe and compares its whole output, byte
# for byte, with the checked-in file of the shot. Both the test tree and the optimised tree run it, so the two
# builds and the goldens agree bit for bit. With --write the outputs replace the files instead (after a deliberate
# change of the physics). Exit status: 0 when every shot agrees, 1 otherwise, 2 on bad arguments.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ] || { [ $# -eq 2 ] && [ "$2" != --write ]; }; then
  echo "usage: $0 PHYSPROBE [--write]" >&2
  exit 2
fi
probe=$1
write=${2:-}
data=$(cd "$(dirname "$0")/data" && pwd)

failed=0
checked=0
while read -r name args; do
  case $name in '' | '#'*) continue ;; esac
  # The arguments are plain words: split them.
  # shellcheck disable=SC2086
  if ! output=$("$probe" $args); then
    echo "golden shot $name: the probe failed or the shot did not end"
    failed=1
    continue
  fi
  if [ "$write" = --write ]; then
    printf '%s\n' "$output" > "$data/$name.txt"
  elif ! printf '%s\n' "$output" | cmp -s - "$data/$name.txt"; then
    echo "golden shot $name differs from $data/$name.txt:"
    printf '%s\n' "$output" | diff "$data/$name.txt" - | head -n 10 || true
    failed=1
  fi
  checked=$((checked + 1))
done < "$data/golden_shots.txt"

echo "golden shots: $checked checked by $probe"
exit $failed
