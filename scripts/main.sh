#!/usr/bin/env bash
# Sets up, builds, and runs the main job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build
echo "Built programs:"
find "$root/build/bin" -type f -perm -u+x | sed "s|^$root/||" | sort
