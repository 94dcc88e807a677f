#!/usr/bin/env bash
# Installs what is missing, builds a debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh test
cmake -S . -B build/debug -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARROWLARK_SANITIZE=ON -DMARROWLARK_WERROR=ON
cmake --build build/debug
cd build/debug
ctest --output-on-failure -j "$(nproc)"
