#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# given time. Usage: scripts/fuzz.sh [seconds per target] [target ...]
# Environment: PARALLEL=n runs n targets at a time (default 1); FUZZ_BUILD_DIR.
# Corpora grow in fuzz/corpus-<target>/, crashing inputs land in fuzz/artifacts/,
# per-target logs and a summary (runs, exec/s, findings) in $FUZZ_BUILD_DIR/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
shift || true
build=${FUZZ_BUILD_DIR:-build-fuzz}
all=(fuzz_report_parser fuzz_receive_step fuzz_snapshot_reader fuzz_ini fuzz_netmode fuzz_skin_builder)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

bash scripts/setup-debian.sh clang libclang-rt-14-dev
CXX=clang++ CC=clang cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DK9X40_FUZZ=ON -DK9X40_BUILD_TESTS=OFF -DK9X40_BUILD_BENCH=OFF -DK9X40_BUILD_QT=OFF >/dev/null
nice cmake --build "$build" -j2 --target make_seeds "${targets[@]}"

# Seeds: generated replies and reports, the skins and the language files.
"$build/fuzz/make_seeds" fuzz/corpus-seeds
mkdir -p fuzz/artifacts "$build/logs"
for t in "${targets[@]}"; do
  mkdir -p "fuzz/corpus-$t"
  [ -d "fuzz/corpus-seeds/$t" ] && cp -n fuzz/corpus-seeds/"$t"/* "fuzz/corpus-$t/" 2>/dev/null || true
done
if [[ " ${targets[*]} " == *" fuzz_skin_builder "* ]]; then
  for f in skin/*/*.xml; do cp -n "$f" "fuzz/corpus-fuzz_skin_builder/$(basename "$(dirname "$f")")-$(basename "$f" | tr ' ' _)"; done
fi
if [[ " ${targets[*]} " == *" fuzz_ini "* ]]; then
  for f in skin/*/Language.ini config.ini; do cp -n "$f" "fuzz/corpus-fuzz_ini/$(echo "$f" | tr '/ ' __)"; done
fi

dict_of() {
  case $1 in
    fuzz_ini) echo fuzz/dict/ini.dict ;;
    fuzz_skin_builder) echo fuzz/dict/skin.dict ;;
    *) echo fuzz/dict/protocol.dict ;;
  esac
}

run_one() {
  local t=$1 log="$build/logs/$1.log"
  # A finding stops the run; the input is kept in fuzz/artifacts/.
  nice -n 10 "$build/fuzz/$t" "fuzz/corpus-$t" -dict="$(dict_of "$t")" -max_total_time="$seconds" \
    -max_len=20000 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="fuzz/artifacts/$t-" >"$log" 2>&1 || true
  local runs eps found
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  eps=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  found=$(grep -c 'Test unit written to' "$log" || true)
  printf '%-22s %6ss %10s runs %7s exec/s  findings: %s\n' "$t" "$seconds" "${runs:-0}" "${eps:-0}" "$found" |
    tee -a "$build/logs/summary.txt"
}

parallel=${PARALLEL:-1}
for t in "${targets[@]}"; do
  run_one "$t" &
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n; done
done
wait
