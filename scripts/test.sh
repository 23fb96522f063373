#!/usr/bin/env bash
# Set-up, build and the whole test suite: the normal build with every test,
# then the core and its tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=${JOBS:-$(nproc)}

bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$ROOT/build" -j "$JOBS"
ctest --test-dir "$ROOT/build" -j "$JOBS" --output-on-failure --timeout 300

cmake -S "$ROOT" -B "$ROOT/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVEXA_SANITIZE=ON -DVEXA_BUILD_GUI=OFF -DVEXA_BUILD_BENCH=OFF
cmake --build "$ROOT/build-asan" -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$ROOT/build-asan" -j "$JOBS" --output-on-failure --timeout 600
