#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and runs each for a while (default 30 seconds).
# A crash, a sanitizer report or a leak fails the run. Targets with seeds under fuzz/corpus/<target>
# start from them, and a fuzz/<target>.dict gives the fuzzer the protocol's words.
# Leaks are looked for once, when each target ends: a leak scan after every input that finds new
# coverage costs the host and window targets most of their speed. QUIBO_FUZZ_LEAKS=1 scans after
# every such input, which names the input that leaked.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
targets=(fuzz_framing fuzz_lzrw1 fuzz_wordnet fuzz_host fuzz_window)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  options=(-max_total_time="$seconds" -detect_leaks="${QUIBO_FUZZ_LEAKS:-0}")
  seeds=()
  [[ -f "fuzz/$target.dict" ]] && options+=(-dict="$PWD/fuzz/$target.dict")
  [[ -d "fuzz/corpus/$target" ]] && seeds+=("$PWD/fuzz/corpus/$target")
  echo "== $target for ${seconds}s"
  # pipefail makes a failing fuzzer fail the script even though its output is cut to the last lines.
  (cd "$work" && "$OLDPWD/build/fuzz/fuzz/$target" "${options[@]}" "$work/$target" "${seeds[@]}" 2>&1 | tail -n 3)
done
