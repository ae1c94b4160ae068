#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for a while (default 30 seconds).
# A crash, a sanitizer report or a leak fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_framing fuzz_lzrw1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in fuzz_framing fuzz_lzrw1; do
  mkdir -p "$work/$target"
  echo "== $target for ${seconds}s"
  # pipefail makes a failing fuzzer fail the script even though its output is cut to the last lines.
  (cd "$work" && "$OLDPWD/build/fuzz/fuzz/$target" -max_total_time="$seconds" "$work/$target" 2>&1 | tail -n 3)
done
