#!/usr/bin/env bash
# Draws the pictures of the front page again: the windows suite's picture
# tests (DocPictures*) write them into build/tests/doc_images, and they are
# copied to docs/images. BUILD names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=${JOBS:-$(nproc)}
BUILD=${BUILD:-$ROOT/build}

bash scripts/setup.sh
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD" -j "$JOBS" --target vexa_windows_tests
rm -rf "$BUILD/tests/doc_images"
"$BUILD/tests/vexa_windows_tests" --gtest_filter='DocPictures*' --gtest_brief=1
mkdir -p docs/images
cp "$BUILD"/tests/doc_images/*.png docs/images/
ls -l docs/images
