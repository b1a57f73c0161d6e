#!/usr/bin/env bash
# Runs each fuzz target of BUILD_DIR for SECONDS, starting from its kept corpus, and prints
# how many inputs it tried. New finds go to BUILD_DIR/corpus/<target>; with MERGE=1 they
# are minimised into the kept corpus fuzz/corpus/<target>.
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR SECONDS TARGET...} seconds=${2:?} here=$(cd "$(dirname "$0")" && pwd)
for target in "${@:3}"; do
  program=$(ls "$build"/{fuzz,bin}/${target}_fuzz 2>/dev/null | head -n 1) found="$build/corpus/$target" log="$build/$target.log"
  mkdir -p "$found"
  # The window target's caches grow as they are first used: a leak check after every input
  # would cost more than the input: `make test-sanitize` looks for its leaks in the replay.
  flags=(); [ "$target" = accessible ] && flags=(-detect_leaks=0 -len_control=0 -max_len=256)
  "$program" "${flags[@]}" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$target-" "$found" \
    "$here/corpus/$target" >"$log" 2>&1 || { tail -n 40 "$log"; echo "fuzz: $target failed; see $build/$target-*"; exit 1; }
  echo "fuzz: $target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") executions in $seconds s"
  if [ "${MERGE:-0}" = 1 ]; then
    "$program" -merge=1 "$here/corpus/$target" "$found" >>"$log" 2>&1
    echo "fuzz: $target: $(ls "$here/corpus/$target" | wc -l) inputs kept"
  fi
done
