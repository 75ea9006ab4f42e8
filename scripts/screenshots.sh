#!/usr/bin/env bash
# Takes the pictures of the manual into docs/images/: the main window with a continuous and a hybrid
# sample, a sheet with its graph after a simulation, an imported PNML net, a picture export, and every
# dialog (through the widget tests).
# Usage: scripts/screenshots.sh [BUILD_FOLDER]   (default build/; it must hold the GUI and its tests)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/${1:-build}"
images="$root/docs/images"
export QT_QPA_PLATFORM=offscreen

for needed in bin/tokarium bin/ContinuousPNs/flowrun bin/HybridPNs/mixsim bin/HybridPNs/flowrun \
              tests/gui/editor/test_dialogs tests/gui/shell/test_shell; do
    if [[ ! -x "$build/$needed" ]]; then
        echo "screenshots: $build/$needed is missing; build the GUI and its tests first" >&2
        exit 1
    fi
done

# The program runs from a copy, so that its engines and settings file never write into the build tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin/ContinuousPNs" "$work/bin/HybridPNs" "$work/docs" "$images"
cp "$build/bin/tokarium" "$work/bin/"
cp "$build/bin/ContinuousPNs/flowrun" "$work/bin/ContinuousPNs/"
cp "$build/bin/HybridPNs/mixsim" "$build/bin/HybridPNs/flowrun" "$work/bin/HybridPNs/"
cp "$root"/examples/*.pn "$work/docs/"

"$work/bin/tokarium" --screenshot "$images/main_continuous.png" "$work/docs/continuous_tanks.pn"
"$work/bin/tokarium" --screenshot "$images/main_hybrid.png" "$work/docs/hybrid_valve.pn"
"$work/bin/tokarium" --screenshot "$images/graph_after_simulation.png" --start "$work/docs/continuous_tanks.pn"

# The exchange pages: a PNML net imported, the tanks after an export and an import, a picture export.
cp "$root/examples/producer_consumer.pnml" "$work/docs/"
"$work/bin/tokarium" --import-pnml "$work/docs/producer_consumer.pnml" --out "$work/docs/producer_consumer.pn" >/dev/null
"$work/bin/tokarium" --screenshot "$images/pnml_import.png" "$work/docs/producer_consumer.pn"
"$work/bin/tokarium" --export-pnml "$work/docs/continuous_tanks.pn" --out "$work/docs/tanks.pnml" >/dev/null
"$work/bin/tokarium" --import-pnml "$work/docs/tanks.pnml" --out "$work/docs/tanks_again.pn" >/dev/null
"$work/bin/tokarium" --screenshot "$images/pnml_round_trip.png" "$work/docs/tanks_again.pn"
"$work/bin/tokarium" --export-picture "$work/docs/continuous_tanks.pn" --net 1 --out "$images/picture_export.png" \
    --dpi 60 >/dev/null

# The dialog tests save a picture of each dialog they show.
dialogs="$work/dialogs"
mkdir -p "$dialogs"
TOKARIUM_SCREENSHOT_DIR="$dialogs" "$build/tests/gui/editor/test_dialogs" --gtest_brief=1 >/dev/null
TOKARIUM_SCREENSHOT_DIR="$dialogs" "$build/tests/gui/shell/test_shell" --gtest_brief=1 >/dev/null
for picture in "$dialogs"/*.png; do
    cp "$picture" "$images/"
done
ls -1 "$images"
