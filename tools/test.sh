#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in an ordinary build with
# warnings as errors, once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DDARTS_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DDARTS_WERROR=ON -DDARTS_SANITIZE=ON \
  -DDARTS_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
