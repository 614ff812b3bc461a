#!/usr/bin/env bash
# Times IsProcessRunning (process_poll_bench.exe) under Wine on one core, with the
# processes of a Wine session running. Figures only: a slow poll never makes it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<USAGE
Usage: bench/process_poll/run.sh [--build-dir DIR] [--polls N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --polls N        timed polls of each kind (default: 2000)
USAGE
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
polls=2000
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --polls) polls=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

# Without a display, run the whole script inside one private Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --polls "$polls"
fi

klarvik_bench_build "$build_dir" process_poll_bench
exe=$build_dir/bench/process_poll/process_poll_bench.exe

klarvik_bench_wine "$build_dir"

taskset -c 0 "$WINELOADER" "$exe" "$polls" | tr -d '\r'
