#!/usr/bin/env bash
# Builds the fuzz harnesses with clang into build-fuzz/ and runs each for SECONDS (default 30) on a
# copy of its seed corpus. A crash, a leak or a sanitizer report fails the script; the input that
# caused it is kept in build-fuzz/findings/.
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(fuzz_xml fuzz_pn_document fuzz_priority_entry fuzz_flowrun fuzz_mixsim)

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DTOKARIUM_FUZZ=ON -DTOKARIUM_GUI=OFF \
  -DTOKARIUM_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${harnesses[@]}"

# The engine harnesses write their files in a private folder of the temporary directory.
[ -w /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
findings="$build/findings"
mkdir -p "$findings"
for harness in "${harnesses[@]}"; do
  corpus="$build/corpus/$harness"
  mkdir -p "$corpus"
  cp -n "$root/tests/fuzz/corpus/$harness"/* "$corpus/" 2>/dev/null || true
  echo "== $harness for $seconds s"
  "$build/tests/fuzz/$harness" -max_total_time="$seconds" -max_len=4096 -timeout=60 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$harness-" "$corpus" 2>"$build/$harness.log" || {
    tail -n 60 "$build/$harness.log" >&2
    echo "fuzz: $harness found a fault; the input is in $findings/" >&2
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$build/$harness.log" || true
done
