#!/usr/bin/env bash
# Builds everything and runs every test (headless: the tests set the
# offscreen platform themselves).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_BUILD_DIR:-$root/build}"

bash "$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure --timeout 300 -j"${FERROWEN_TEST_JOBS:-2}"
