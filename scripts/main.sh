#!/usr/bin/env bash
# Sets up, builds, and runs the main job: the editor on a sample document when a display is
# available, otherwise the headless batch simulation of the sample documents.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build
tokarium="$root/build/bin/tokarium"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening the editor on examples/continuous_tanks.pn"
  exec "$tokarium" "$root/examples/continuous_tanks.pn"
fi

echo "No display: simulating the sample documents in batch mode (results in build/results)"
for doc in continuous_tanks hybrid_valve discrete_cycle; do
  echo "== examples/$doc.pn"
  "$tokarium" --simulate "$root/examples/$doc.pn" --out "$root/build/results"
done
