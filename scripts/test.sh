#!/usr/bin/env bash
# Sets up, builds, and runs every test: once in the normal build, once under ASan+UBSan; then the
# install and package check and a short run of each fuzz harness.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

"$root/scripts/build.sh" build
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")

"$root/scripts/build.sh" build-sanitize -DTOKARIUM_SANITIZE=ON -DTOKARIUM_GUI=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-sanitize" && ctest --output-on-failure -j "$(nproc)")

"$root/scripts/install_test.sh" build
"$root/scripts/fuzz.sh" 30
