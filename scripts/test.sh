#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Quibo and runs every test. With --sanitize it also runs them under ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
if [ "${1:-}" = "--sanitize" ]; then
  cmake --preset asan >/dev/null
  cmake --build --preset asan
  ctest --preset asan
fi
