#!/usr/bin/env bash
# Renders the windows, dialogs and alerts offscreen in both languages and both themes into
# build/<dir>/screenshots/ (default dir: dev). A developer tool, not a test.
#   scripts/screenshots.sh [dir]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="build/${1:-dev}"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARROWLARK_BENCH=OFF
fi
cmake --build "$dir" --target marrowlark-screenshots
# Settings of their own, so the user's language and theme stay as they were.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
rm -rf "$dir/screenshots"
XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen \
  "$dir/scripts/screenshots/marrowlark-screenshots" "$dir/screenshots"
