#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzing, the packaging and the benchmarks
# need, only those that are missing.
set -euo pipefail

packages=(cmake g++ make ninja-build libgtest-dev lp-solve liblpsolve55-dev qt6-base-dev qt6-svg-dev locales-all
          clang libclang-rt-14-dev libxml2-utils dpkg-dev time)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
