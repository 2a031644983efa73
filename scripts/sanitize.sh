#!/usr/bin/env bash
# The test suite under the sanitizers, each in its own build folder:
#   address,undefined  the whole suite (build-asan/)
#   thread             the threaded suites: worker and receive side, serial
#                      monitor, message loop, window and shutdown (build-tsan/)
# Usage: scripts/sanitize.sh [asan|tsan ...]   (default: both)
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp}
jobs=${JOBS:-2}

configure() {  # dir sanitizers
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DK9X40_SANITIZE="$2" \
    -DK9X40_BUILD_BENCH=OFF >/dev/null
}

run_asan() {
  configure build-asan address,undefined
  cmake --build build-asan -j"$jobs"
  ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600
}

run_tsan() {
  configure build-tsan thread
  local present=()
  for t in link_tests ui_tests app_tests; do
    if cmake --build build-tsan --target help | grep -q "^$t:"; then present+=("$t"); fi
  done
  cmake --build build-tsan -j"$jobs" --target skin_files "${present[@]}"
  # The suites run as ctest runs them: from bin/, where the skins are.
  local failed=0
  for t in "${present[@]}"; do
    echo "== $t under thread sanitizer"
    (cd build-tsan/bin && ../tests/"$t" --gtest_brief=1) || failed=1
  done
  return $failed
}

steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(asan tsan)
for s in "${steps[@]}"; do "run_$s"; done
