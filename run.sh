#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Marrowlark.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh build
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARROWLARK_TESTS=OFF -DMARROWLARK_BENCH=OFF
cmake --build build/release --target marrowlark
exec build/release/Marrowlark/marrowlark "$@"
