#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test twice: once with
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, with a short fuzzing
# run of the engine), once as a normal build; then checks the Debian package
# (built, linted, installed, run and removed) and the Windows cross build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0

echo "== Sanitizer build (ASan + UBSan) =="
cmake -S . -B build-asan -DCMAKE_CXX_COMPILER=clang++-14 -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON \
  -DQUORVEL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Normal build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Debian package =="
scripts/package-check.sh

echo "== Windows cross build (mingw-w64, wine) =="
scripts/windows-check.sh build/cli/quorvel-convert
