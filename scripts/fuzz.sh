#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a few seconds
# (FUZZ_SECONDS, default 10) from its seed corpus in tests/fuzz/corpus/<name>.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds="${FUZZ_SECONDS:-10}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELARIX_BUILD_FUZZ=ON -DVELARIX_BUILD_TESTS=OFF -DVELARIX_BUILD_BENCH=OFF > /dev/null
cmake --build build-fuzz
shopt -s nullglob
for source in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "tests/fuzz/corpus/$name" ] && seeds=("tests/fuzz/corpus/$name")
  echo "fuzz: $name for ${seconds}s"
  "build-fuzz/bin/$name" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    "$corpus" "${seeds[@]}" > "build-fuzz/$name.log" 2>&1 || {
    tail -n 40 "build-fuzz/$name.log"
    echo "fuzz: $name found a failure"
    exit 1
  }
done
echo "fuzz: all targets ran clean"
