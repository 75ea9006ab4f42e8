#!/usr/bin/env bash
# Long run of the random-net property check of the continuous engine: thousands of seeded
# nets through the engine in process, every broken property printed with its net as date.dat.
# Usage: bench/flowrun_properties.sh [COUNT] [FIRST_SEED] [BUILD_DIR]   (defaults 20000 1 build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-20000}
first=${2:-1}
build=${3:-$root/build}
TOKARIUM_RANDOM_NETS=$count TOKARIUM_RANDOM_SEED=$first \
  "$build/tests/engines/continuous/test_flowrun" --gtest_filter='RandomNets.*' || true
