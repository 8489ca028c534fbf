#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# into ./build-sanitize and runs every test there. The first undefined
# behaviour stops its program with a stack trace; no suppressions.
#
# Leak detection is off: Qt WebEngine (Chromium) keeps memory it never
# frees until the process ends, by design, so every program that starts
# the engine would report it. Every other memory error still fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${FERROWEN_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
jobs="${FERROWEN_TEST_JOBS:-2}"
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFERROWEN_TEST_TIMEOUT_FACTOR=4 \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$build" -j"$jobs" "$@"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
(cd "$build" && ctest --output-on-failure -j"$jobs")
