#!/usr/bin/env bash
# Builds the installation tree and starts a program: ./run.sh [keyfarer|pagewick] [ARGS...]
set -euo pipefail
cd "$(dirname "$0")"
program=${1:-keyfarer}
[ $# -gt 0 ] && shift
./scripts/setup.sh
./scripts/build.sh build >/dev/null
case "$program" in
  keyfarer) cmake --build build --target keyfarer_tree >/dev/null
            exec ./out/keyfarer/keyfarer "$@" ;;
  pagewick) cmake --build build --target pagewick_tree >/dev/null
            exec ./out/pagewick/pagewick "$@" ;;
  *) echo "usage: ./run.sh [keyfarer|pagewick] [ARGS...]" >&2; exit 64 ;;
esac
