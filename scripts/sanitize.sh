#!/usr/bin/env bash
# The test suite under the sanitizers, each in its own build folder:
#   address,undefined  the whole suite (build-asan/)
#   thread             the threaded suites: worker and receive side, serial
#                      monitor, message loops (plain and Qt), window and
#                      shutdown (build-tsan/)
#   memcheck           valgrind over the suites without a window (build/)
# Usage: scripts/sanitize.sh [asan|tsan|memcheck ...]   (default: asan tsan)
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp}
jobs=${JOBS:-$(nproc)}

# -O1 with line tables only: a third of the -O2 -g build time on two cores, and
# the reports still name file and line.
configure() {  # dir sanitizers
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
    -DK9X40_SANITIZE="$2" -DK9X40_BUILD_BENCH=OFF >/dev/null
}

run_asan() {
  configure build-asan address,undefined
  cmake --build build-asan -j"$jobs"
  ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600
}

run_tsan() {
  configure build-tsan thread
  # Read the target list whole: grep -q closing the pipe early kills ninja with
  # SIGPIPE, and pipefail would then drop a suite that is there.
  local targets present=()
  targets=$(cmake --build build-tsan --target help)
  for t in link_tests ui_tests app_tests qtpaint_tests; do
    if grep -q "^$t:" <<<"$targets"; then present+=("$t"); fi
  done
  cmake --build build-tsan -j"$jobs" --target skin_files "${present[@]}"
  # The suites run as ctest runs them: from bin/, where the skins are.
  # Of the window suite only the Qt message loop runs: Qt itself is not built
  # with the sanitizer, so its painting thread pool and file dialogs report
  # races on locks the sanitizer cannot see.
  local failed=0 filter
  for t in "${present[@]}"; do
    filter='*'
    [ "$t" = qtpaint_tests ] && filter='QtMessageLoop.*'
    echo "== $t under thread sanitizer"
    (cd build-tsan/bin && ../tests/"$t" --gtest_brief=1 --gtest_filter="$filter") || failed=1
  done
  return $failed
}

# A second opinion on leaks and uninitialised reads, on the plain build (build/).
# The window suite stays out: fontconfig keeps its caches for the life of the
# process, and code without symbols deep in the graphics libraries reads what
# memcheck counts as uninitialised.
run_memcheck() {
  local build=${BUILD_DIR:-build} suites=(params_tests link_tests ui_tests layout_tests diag_tests
                                           sim_tests app_tests cli_tests)
  bash scripts/setup-debian.sh valgrind
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j"$jobs" --target skin_files "${suites[@]}"
  local failed=0
  for t in "${suites[@]}"; do
    echo "== $t under memcheck"
    (cd "$build"/bin && valgrind -q --leak-check=full --errors-for-leak-kinds=definite,indirect \
      --error-exitcode=9 ../tests/"$t" --gtest_brief=1) || failed=1
  done
  return $failed
}

steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(asan tsan)
for s in "${steps[@]}"; do "run_$s"; done
