#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in an ordinary build with
# warnings as errors, once built with AddressSanitizer and UndefinedBehaviorSanitizer. Then every
# file parser is fuzzed for DARTS_FUZZ_SECONDS seconds each (default 15; 0 skips it).
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

fuzz_seconds=${DARTS_FUZZ_SECONDS:-15}
if [ "$fuzz_seconds" -gt 0 ]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DDARTS_FUZZ=ON -DDARTS_BENCHMARKS=OFF -DDARTS_WERROR=ON
  targets=(xfile image wave data_files demo records settings)
  cmake --build build-fuzz -j "$jobs" --target "${targets[@]/#/fuzz_}"
  for target in "${targets[@]}"; do
    findings=$(mktemp -d)
    scratch=$(mktemp -d)
    echo "Fuzzing $target for ${fuzz_seconds}s"
    build-fuzz/fuzz/fuzz_$target "$scratch" "fuzz/corpus/$target" -max_total_time="$fuzz_seconds" \
      -artifact_prefix="$findings/" -print_final_stats=1 2>&1 | grep -E "^(stat::number_of_executed_units|==|SUMMARY)" || true
    if [ -n "$(ls -A "$findings")" ]; then
      echo "fuzz_$target found a failing input: $(ls "$findings")"
      exit 1
    fi
    rm -rf "$findings" "$scratch"
  done
fi
