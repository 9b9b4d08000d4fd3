#!/usr/bin/env bash
# Installs what is missing, builds Quillmere and runs every test: once in a release
# build, then again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$jobs"
(cd build/release && ctest --output-on-failure -j "$jobs" --timeout 600)

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON
cmake --build build/sanitize -j "$jobs"
export ASAN_OPTIONS=abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/leak-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/sanitize && ctest --output-on-failure -j "$jobs" --timeout 900)
