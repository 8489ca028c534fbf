#!/usr/bin/env bash
# Builds everything and runs every test (headless: the tests set the
# offscreen platform themselves). Then builds the libraries that need no
# widgets on their own and runs their tests, so a widget or engine
# dependency creeping into them fails here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_BUILD_DIR:-$root/build}"
core_build="${FERROWEN_CORE_BUILD_DIR:-$root/build-core}"
jobs="${FERROWEN_TEST_JOBS:-2}"

bash "$root/scripts/build.sh"
(cd "$build" && ctest --output-on-failure --timeout 300 -j"$jobs")

cmake -S "$root" -B "$core_build" -DFERROWEN_CORE_ONLY=ON \
  -DCMAKE_BUILD_TYPE="${FERROWEN_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$core_build" -j"$(nproc)"
(cd "$core_build" && ctest --output-on-failure --timeout 300 -j"$jobs")
