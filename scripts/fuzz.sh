#!/usr/bin/env bash
# Runs every fuzz target of a -DYUNT_FUZZ=ON build: first over each of its
# seed files once, then fuzzing from the seeds for a short time. A crash, a
# hang (an input over 10 s), memory over 2 GB or a broken property fails.
#   scripts/fuzz.sh <build-dir> [seconds per target, default 4]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "$1" && pwd)
secs=${2:-4}
seeds=$dir/fuzz-seeds
work=$dir/fuzz-work
rm -rf "$seeds" "$work"
mkdir -p "$work"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
"$dir/fuzz/yunt_fuzz_seeds" "$seeds"

failed=()
for target in "$dir"/fuzz/fuzz_*; do
  [[ -x $target ]] || continue
  name=${target##*/fuzz_}
  # Seeds made by the project's writers and seeds kept as files.
  dirs=()
  for d in "$seeds/$name" "$root/fuzz/seeds/$name"; do
    [[ -d $d ]] && dirs+=("$d")
  done
  if ((${#dirs[@]} == 0)); then
    echo "fuzz $name: no seeds"
    failed+=("$name")
    continue
  fi
  files=()
  for d in "${dirs[@]}"; do files+=("$d"/*); done
  mkdir -p "$work/$name/corpus"
  log=$work/$name/log
  options=(-timeout=60 -rss_limit_mb=2048 -artifact_prefix="$work/$name/")
  if "$target" "${options[@]}" "${files[@]}" >"$log" 2>&1 &&
     "$target" "${options[@]}" -max_total_time="$secs" -print_final_stats=1 \
       "$work/$name/corpus" "${dirs[@]}" >>"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
    echo "fuzz $name: ok (${runs:-?} runs)"
  else
    echo "fuzz $name: FAILED (inputs kept in $work/$name/)"
    tail -n 40 "$log"
    failed+=("$name")
  fi
done
if ((${#failed[@]})); then
  echo "fuzz targets failed: ${failed[*]}"
  exit 1
fi
