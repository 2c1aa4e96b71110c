#!/usr/bin/env bash
# scripts/fuzz.sh BUILD_DIR SECONDS: runs every fuzzer of BUILD_DIR/fuzz for SECONDS each,
# starting from its corpus (keyfarer/<sub>/tests/fuzz/<name>/ or pagewick/tests/fuzz/<name>/).
# A crash stops the run with the fuzzer's report; the crashing input is kept in BUILD_DIR/fuzz-crashes.
set -euo pipefail
dir=$1; seconds=${2:-8}
shopt -s nullglob
mkdir -p "$dir/fuzz-crashes" "$dir/fuzz-work"
status=0
for f in "$dir"/fuzz/*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=$(find keyfarer pagewick -type d -path "*/tests/fuzz/$name" 2>/dev/null | head -n 1)
  work="$dir/fuzz-work/$name"
  mkdir -p "$work"
  echo "fuzz: $name for ${seconds}s${corpus:+ (corpus $corpus)}"
  if ! "$f" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -artifact_prefix="$dir/fuzz-crashes/$name-" "$work" ${corpus:+"$corpus"} >"$dir/fuzz-work/$name.log" 2>&1; then
    echo "fuzz: $name FAILED"; tail -n 40 "$dir/fuzz-work/$name.log"; status=1
  fi
done
exit $status
