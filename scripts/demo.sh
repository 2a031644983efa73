#!/usr/bin/env bash
# The README's run command. Installs what is missing (Debian 12), builds the
# programs in Release, starts a simulated terminal and the window. Without a
# display it says so and walks the same road headless.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${BUILD_DIR:-build-release}

scripts/setup-debian.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DK9X40_BUILD_TESTS=OFF -DK9X40_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target k9x40 k9x40-sim k9x40-cli k9x40-shots skin_files
bin="$root/$build/bin"

work=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$bin/k9x40-sim" >"$work/sim.out" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
  link=$(head -n1 "$work/sim.out")
  echo
  echo "Simulated terminal on: $link"
  echo "In the window: pick that port under \"Port\", click Open, wait for the"
  echo "configuration mode, then click the button that reads the settings (Load)."
  echo
  "$bin/k9x40"
  exit 0
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): showing the same road headless."
"$bin/k9x40-sim" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
link=$(head -n1 "$work/sim.out")
echo "Simulated terminal on: $link"
echo "Reading its settings with the headless tool: k9x40-cli -p $link read"
"$bin/k9x40-cli" -p "$link" read | head -n 20
echo "... (every setting: name, command word, value)"
kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null || true
sim_pid=""
# The window itself, offscreen: Open and Load against an in-process terminal,
# one picture per tab page.
out="$root/$build/demo-shots"
rm -rf "$out"
QT_QPA_PLATFORM=offscreen xvfb-run -a "$bin/k9x40-shots" "$out" en
echo
echo "The filled form, page by page: $out"
