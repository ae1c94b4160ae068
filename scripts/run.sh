#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Quibo and starts it. Without arguments it starts a solo game against the computer;
# otherwise the arguments are those the lobby passes: name, host address, "true" to host, "t".
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec ./build/default/src/app/quibo "$@"
