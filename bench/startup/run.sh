#!/usr/bin/env bash
# Launch to first paint under Wine, pinned to one core with a warm server: Klarvik's main
# window in its start-up skin against a bare Win32 window of the same size. Figures only:
# a slow start never makes it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<USAGE
Usage: bench/startup/run.sh [--build-dir DIR] [--runs N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --runs N         timed launches of each (default: 30)
USAGE
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
runs=30
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --runs "$runs"
fi

command -v hyperfine >/dev/null || klarvik_die "hyperfine is missing; run scripts/setup to install it."
klarvik_bench_build "$build_dir" startup_bench
exe=$build_dir/bench/startup/startup_bench.exe
klarvik_bench_wine "$build_dir"
json=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; rm -f "$json"' EXIT
hyperfine --warmup 3 --runs "$runs" --export-json "$json" \
  -n "bare window" "taskset -c 0 '$WINELOADER' '$exe' bare" \
  -n "Klarvik" "taskset -c 0 '$WINELOADER' '$exe' klarvik"
klarvik_ratio "$json" "Klarvik" "bare window" "target at most 1.3x"
