#!/usr/bin/env bash
# Builds an optimised Wplatomat and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DWPLATOMAT_TESTS=OFF -DWPLATOMAT_BENCH=OFF >/dev/null
# The program and wplatomat-shell, which the desktop entries it writes start.
cmake --build build/release
exec ./build/release/wplatomat "$@"
