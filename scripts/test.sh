#!/usr/bin/env bash
# Set-up, build and the whole test suite: the normal build with every test,
# the windows suite once more under Xvfb and openbox with the X11 platform, then the
# core, the platform's drawing layer, the test doubles and the chart again
# under AddressSanitizer and UBSan (the suites that start Qt WebEngine
# stay out of that pass), then every fuzz target built with clang and run for
# a short while (FUZZ_SECONDS, 30 by default), all at once.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=${JOBS:-$(nproc)}

bash scripts/setup.sh

# ccache: paths inside the checkout count relative to it, so a clone in
# another folder finds what an earlier build compiled.
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true

export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

# Warnings are errors in the project's own code in all three builds.
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_WERROR=ON
cmake --build "$ROOT/build" -j "$JOBS"
ctest --test-dir "$ROOT/build" -j "$JOBS" --output-on-failure --timeout 300

# The windows suite again on a real X display (Xvfb) with a window manager,
# beside its offscreen run: faults of painting, stacking, activation and
# window-system input show only there.
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$ROOT/scripts/with_openbox.sh" env QT_QPA_PLATFORM=xcb \
  "$ROOT/build/tests/vexa_windows_tests" --gtest_brief=1

cmake -S "$ROOT" -B "$ROOT/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVEXA_SANITIZE=ON -DVEXA_BUILD_GUI=ON -DVEXA_BUILD_BENCH=OFF -DVEXA_WERROR=ON
cmake --build "$ROOT/build-asan" -j "$JOBS" --target vexa_layer_check \
  vexa_base_tests vexa_core_tests vexa_platform_tests vexa_testing_tests vexa_chart_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$ROOT/build-asan" -j "$JOBS" --output-on-failure --timeout 600

# Fuzz targets: built with clang's libFuzzer, each run side by side on its
# seeds; a crash, a sanitizer report, a leak or a slow input fails the suite.
FUZZ_TARGETS=(study_document_fuzz study_numbers_fuzz series_stream_fuzz chart_stream_fuzz chart_grid_fuzz
  caller_sequence_fuzz table_clipboard_fuzz instrument_sequence_fuzz)
FUZZ=$ROOT/build-fuzz
cmake -S "$ROOT" -B "$FUZZ" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVEXA_FUZZ=ON -DVEXA_BUILD_BENCH=OFF -DVEXA_BUILD_TESTS=OFF -DVEXA_WERROR=ON
cmake --build "$FUZZ" -j "$JOBS" --target "${FUZZ_TARGETS[@]}"
mkdir -p "$FUZZ/seeds/study_document_fuzz" "$FUZZ/seeds/series_stream_fuzz" "$FUZZ/seeds/chart_stream_fuzz" \
  "$FUZZ/logs" "$FUZZ/artifacts"
python3 fuzz/make_large_study.py "$FUZZ/seeds/study_document_fuzz/large_study.xml"
python3 fuzz/make_series_seeds.py "$FUZZ/seeds/series_stream_fuzz"
export LSAN_OPTIONS=suppressions=$ROOT/fuzz/lsan.supp
pids=()
for t in "${FUZZ_TARGETS[@]}"; do
  mkdir -p "$FUZZ/corpus/$t" "$FUZZ/seeds/$t"
  extra=()
  case $t in
    study_document_fuzz) extra=(-max_len=200000 -len_control=0 -dict=fuzz/study_document.dict) ;;
    caller_sequence_fuzz | instrument_sequence_fuzz) extra=(-max_len=400 -len_control=0) ;;
  esac
  seeds=("$FUZZ/seeds/$t")
  [ "$t" = study_document_fuzz ] && seeds+=(resources/xml)
  VEXA_FUZZ_SEEDS=$FUZZ/seeds/chart_stream_fuzz \
    "$FUZZ/fuzz/$t" -max_total_time="${FUZZ_SECONDS:-30}" -timeout=10 -rss_limit_mb=4096 \
      -artifact_prefix="$FUZZ/artifacts/$t-" "${extra[@]}" "$FUZZ/corpus/$t" "${seeds[@]}" \
      >"$FUZZ/logs/$t.log" 2>&1 &
  pids+=($!)
done
passed=0 failed=0
for i in "${!FUZZ_TARGETS[@]}"; do
  if ! wait "${pids[$i]}"; then
    echo "fuzz target ${FUZZ_TARGETS[$i]} failed; its log:" >&2
    tail -n 60 "$FUZZ/logs/${FUZZ_TARGETS[$i]}.log" >&2
    failed=$((failed + 1))
  else
    echo "fuzz target ${FUZZ_TARGETS[$i]}: $(grep -E '^Done ' "$FUZZ/logs/${FUZZ_TARGETS[$i]}.log")"
    passed=$((passed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
