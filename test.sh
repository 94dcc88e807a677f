#!/usr/bin/env bash
# Installs what is missing, builds a debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test, then compiles the release build with tests and
# benchmarks and runs each benchmark once at its smallest size, so that neither breaks unseen.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh test
jobs=$(nproc)

cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARROWLARK_SANITIZE=ON \
  -DMARROWLARK_WERROR=ON -DMARROWLARK_BENCH=ON
cmake --build build/debug
(cd build/debug && ctest --output-on-failure -j "$jobs")

cmake -S . -B build/checked-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARROWLARK_WERROR=ON \
  -DMARROWLARK_BENCH=ON
cmake --build build/checked-release
scripts/bench-smoke.sh build/checked-release/bench
