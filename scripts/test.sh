#!/usr/bin/env bash
# Set-up, build and the whole test suite: the normal build with every test,
# then the core, the platform's drawing layer, the test doubles and the chart
# again under AddressSanitizer and UBSan (the suites that start Qt WebEngine
# stay out of that pass).
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
  -DVEXA_SANITIZE=ON -DVEXA_BUILD_GUI=ON -DVEXA_BUILD_BENCH=OFF
cmake --build "$ROOT/build-asan" -j "$JOBS" --target vexa_layer_check \
  vexa_base_tests vexa_core_tests vexa_platform_tests vexa_testing_tests vexa_chart_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$ROOT/build-asan" -j "$JOBS" --output-on-failure --timeout 600
