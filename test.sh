#!/usr/bin/env bash
# Builds everything and runs every test: the full build under a virtual display, the
# core again under AddressSanitizer and UndefinedBehaviorSanitizer (clang), and each fuzzer briefly.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
jobs=$(nproc)

echo "== build and test (build/)"
./scripts/build.sh build
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs")

# One clang configuration serves both: every library is built with the sanitizers and fuzzing
# coverage, the core tests run on it, then each fuzzer for a few seconds.
echo "== core under ASan/UBSan, and the fuzzers (build-fuzz/)"
CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DKF_BUILD_UI=OFF -DKF_FUZZ=ON -DKF_TESTS=ON \
    -DKF_BENCHMARKS=OFF
(cd build-fuzz && ctest --output-on-failure -j "$jobs" -L core)
./scripts/fuzz.sh build-fuzz "${KF_FUZZ_SECONDS:-8}"
echo "== all tests passed"
