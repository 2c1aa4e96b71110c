#!/usr/bin/env bash
# Builds everything and runs every test: the full build under a virtual display, the
# core again under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzzer briefly.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
jobs=$(nproc)

echo "== build and test (build/)"
./scripts/build.sh build
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs")

echo "== core under ASan/UBSan (build-asan/)"
./scripts/build.sh build-asan -DKF_BUILD_UI=OFF -DKF_SANITIZE=ON -DKF_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build-asan && ctest --output-on-failure -j "$jobs" -L core)

echo "== fuzzers (build-fuzz/)"
KF_BUILD_TARGET=kf_fuzzers CC=clang CXX=clang++ ./scripts/build.sh build-fuzz -DKF_BUILD_UI=OFF -DKF_FUZZ=ON -DKF_TESTS=OFF -DKF_BENCHMARKS=OFF
./scripts/fuzz.sh build-fuzz "${KF_FUZZ_SECONDS:-8}"
echo "== all tests passed"
