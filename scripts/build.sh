#!/usr/bin/env bash
# Configures and builds the project into ./build. Extra arguments are
# passed to the build step (for example: --target ferrowen).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${FERROWEN_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
