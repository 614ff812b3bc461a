#!/usr/bin/env bash
# Times the cross-fade step of a skinned button under Wine on one core, against the fade's
# 10 ms tick. Figures only: a slow step never makes it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<USAGE
Usage: bench/fade_step/run.sh [--build-dir DIR] [--fades N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --fades N        timed fades of 20 steps (default: 50)
USAGE
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
fades=50
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --fades) fades=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --fades "$fades"
fi

klarvik_bench_build "$build_dir" fade_step_bench
exe=$build_dir/bench/fade_step/fade_step_bench.exe
klarvik_bench_wine "$build_dir"
taskset -c 0 "$WINELOADER" "$exe" "$fades" | tr -d '\r' ||
  klarvik_die "the fade benchmark could not run; see its lines above."
