#!/usr/bin/env bash
# scripts/build.sh DIR [CMAKE OPTIONS...]: configures DIR once (Ninja) and builds it (only the
# target KF_BUILD_TARGET when that is set).
set -euo pipefail
dir=$1; shift
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" ${KF_BUILD_TARGET:+--target "$KF_BUILD_TARGET"}
