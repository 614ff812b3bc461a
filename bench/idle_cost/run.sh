#!/usr/bin/env bash
# The main window's cost at rest under Wine on one core: a stored skin, both gauges'
# lights running, nothing else happening. Figures only: never fails on a number.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<USAGE
Usage: bench/idle_cost/run.sh [--build-dir DIR] [--seconds N] [--skin NAME] [--gauges P1 P2]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --seconds N      measured period (default: 60)
  --skin NAME      stored skin shown (default: "Steam2 (internal)")
  --gauges P1 P2   the two gauges' percentages (default: 47 28)
USAGE
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
seconds=60
skin="Steam2 (internal)"
first=47
second=28
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --skin) skin=$2; shift 2 ;;
    --gauges) first=$2; second=$3; shift 3 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --seconds "$seconds" --skin "$skin" --gauges "$first" "$second"
fi

klarvik_bench_build "$build_dir" idle_cost_bench
exe=$build_dir/bench/idle_cost/idle_cost_bench.exe
klarvik_bench_wine "$build_dir"
taskset -c 0 "$WINELOADER" "$exe" "$seconds" "$skin" "$first" "$second" | tr -d '\r' ||
  klarvik_die "the idle benchmark could not run; see its lines above."
