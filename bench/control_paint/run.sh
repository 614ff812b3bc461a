#!/usr/bin/env bash
# Times repaints of the main window under Wine on one core, in each stored skin: its skinned
# gauge and button, and its frame (copied, rebuilt, on an activation change). Figures only:
# a slow repaint never makes it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<USAGE
Usage: bench/control_paint/run.sh [--build-dir DIR] [--repaints N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --repaints N     timed repaints per skin (default: 200)
USAGE
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
repaints=200
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --repaints) repaints=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --repaints "$repaints"
fi

klarvik_bench_build "$build_dir" control_paint_bench
exe=$build_dir/bench/control_paint/control_paint_bench.exe
klarvik_bench_wine "$build_dir"
taskset -c 0 "$WINELOADER" "$exe" "$repaints" | tr -d '\r' ||
  klarvik_die "the paint benchmark could not run; see its lines above."
