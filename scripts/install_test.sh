#!/usr/bin/env bash
# Installs the build into a temporary prefix, makes it read-only and simulates the three sample
# documents from there with a fresh cache folder; the tables must equal those of the build tree and
# nothing may be written into the installed tree. Then builds the Debian package and shows its
# dependencies.
# Usage: scripts/install_test.sh [BUILD_FOLDER]   (default build/; it must hold the GUI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/${1:-build}"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null
for installed in bin/tokarium libexec/tokarium/flowrun libexec/tokarium/mixsim share/doc/tokarium/howto.pdf \
                 share/applications/tokarium.desktop share/icons/hicolor/scalable/apps/tokarium.svg \
                 share/mime/packages/tokarium.xml; do
  [ -e "$prefix/$installed" ] || { echo "install_test: $installed is missing" >&2; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$prefix/share/applications/tokarium.desktop"; fi
xmllint --noout "$prefix/share/mime/packages/tokarium.xml"

chmod -R a-w "$prefix"
before=$(cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort)
export XDG_CACHE_HOME="$work/cache"
for sample in continuous_tanks hybrid_valve discrete_cycle; do
  (cd "$prefix" && "$prefix/bin/tokarium" --simulate "$prefix/share/doc/tokarium/examples/$sample.pn" \
                     --out "$work/installed" >/dev/null)
  "$build/bin/tokarium" --simulate "$root/examples/$sample.pn" --out "$work/built" >/dev/null
done
diff -r "$work/built" "$work/installed"
after=$(cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort)
[ "$before" = "$after" ] || { echo "install_test: the installed tree changed" >&2; exit 1; }
leftovers=$(find "$XDG_CACHE_HOME/tokarium/runs" -mindepth 1 | wc -l)
[ "$leftovers" -eq 0 ] || { echo "install_test: $leftovers files left in the runs folder" >&2; exit 1; }
echo "install_test: the three samples simulate from a read-only install ($(ls "$work/installed" | wc -l) tables equal)"

(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/tokarium_*.deb | head -n 1)
info=$(dpkg-deb -I "$package")
grep -E '^ (Package|Version|Architecture|Depends):' <<<"$info"
grep -q 'Depends:.*libqt6widgets6.*lp-solve' <<<"$info" ||
  { echo "install_test: the package does not depend on Qt 6 and lp_solve" >&2; exit 1; }
