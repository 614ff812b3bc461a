#!/usr/bin/env bash
# Times switching the main window between the stored skins under Wine on one core, beside
# a bare repaint of the same window, and counts live GDI objects around a long run of
# switches. Figures only: a slow switch never makes it fail; a leak does.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<USAGE
Usage: bench/skin_switch/run.sh [--build-dir DIR] [--switches N] [--count N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --switches N     timed switches (default: 50)
  --count N        switches between the two GDI counts (default: 1000)
USAGE
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
switches=50
count=1000
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --switches) switches=$2; shift 2 ;;
    --count) count=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --switches "$switches" --count "$count"
fi

klarvik_bench_build "$build_dir" skin_switch_bench
exe=$build_dir/bench/skin_switch/skin_switch_bench.exe

klarvik_bench_wine "$build_dir"

# The prefix is the benchmark's own, so the settings the main window reads are too; the
# benchmark changes the skin through the manager and writes no settings.
taskset -c 0 "$WINELOADER" "$exe" "$switches" "$count" | tr -d '\r' ||
  klarvik_die "the switches left GDI objects behind, or the benchmark could not run; see its lines above."
