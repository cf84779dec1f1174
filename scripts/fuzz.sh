#!/usr/bin/env bash
# Fuzzes the page readers with clang's libFuzzer under the address and undefined-behaviour
# sanitizers, each target for a short while, starting from tests/fuzz/seeds and the real pages
# where they are at hand.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --fuzz
dir=${1:-build-fuzz}
seconds=${2:-25}
if [ ! -f "$dir/build.ninja" ]; then
  CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELMOOT_FUZZ=ON
fi
cmake --build "$dir"
seeds=../shared/fixtures/real
for target in "$dir"/tests/fuzz/fuzz_*; do
  name=$(basename "$target")
  # New inputs go into a corpus of our own; the seed folder is only read.
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  [ -d "$seeds" ] || seeds=$corpus
  echo "Fuzzing $name for ${seconds} s"
  log="$dir/corpus/$name.log"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
       -artifact_prefix="$dir/corpus/$name-" "$corpus" tests/fuzz/seeds "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "Fuzzing $name failed; the input that did it is in $dir/corpus/"
    exit 1
  fi
  grep -E "^stat::(number_of_executed_units|peak_rss_mb)" "$log" || true
done
