#!/usr/bin/env bash
# Times GetFolderSize (folder_size_bench.exe under Wine) on a tree of 100,000 files in
# 5,000 folders, against du -sb and cmd's dir /s on the same tree, and checks that its
# total is the tree's file bytes. Figures only: slow timings never make it fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/wine-bench-env"

usage() {
  cat <<EOF
Usage: bench/folder_size.sh [--build-dir DIR] [--tree DIR] [--runs N]
  --build-dir DIR  win32 or win64 build folder (default: build/win32 where this machine
                   runs 32-bit programs, build/win64 where it does not)
  --tree DIR       where the generated tree is kept between runs (default: build/bench-tree)
  --runs N         least number of timed runs of each command (default: 5)
EOF
}

klarvik_runnable_builds
build_dir=$root/build/${klarvik_builds[0]}
tree=$root/build/bench-tree
runs=5
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
    --tree) tree=$(realpath -m "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
  esac
done

# Without a display, run the whole script inside one private Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-display" "$0" --build-dir "$build_dir" --tree "$tree" --runs "$runs"
fi

klarvik_bench_build "$build_dir" folder_size_bench
exe=$build_dir/bench/folder_size_bench.exe

# The tree never changes (fixed seed), so it is made once and kept.
if [ ! -f "$tree.complete" ]; then
  echo "== making $tree"
  rm -rf "$tree"
  python3 "$root/bench/make_tree.py" "$tree" || klarvik_die "making the tree $tree failed."
  touch "$tree.complete"
fi

klarvik_bench_wine "$build_dir"

win_tree=$("$WINELOADER" winepath -w "$tree" 2>/dev/null | tr -d '\r')
walk="taskset -c 0 '$WINELOADER' '$exe' '$win_tree'"
dir="taskset -c 0 '$WINELOADER' cmd /c dir /s /a '$win_tree' > /dev/null"

echo "== total"
walked=$(eval "$walk" | tr -d '\r')
files=$(find "$tree" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum }')
echo "folder_size_bench: $walked bytes; find -type f: $files bytes; du -sb (folders too): $(du -sb "$tree" | cut -f1)"
if [ "$walked" != "$files" ]; then
  klarvik_die "MISMATCH: the walk's total is not the tree's file bytes."
fi

echo "== timing"
json=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; rm -f "$json"' EXIT
hyperfine --warmup 2 --min-runs "$runs" --export-json "$json" \
  -n "du -sb" "du -sb '$tree'" \
  -n "GetFolderSize" "$walk" \
  -n "dir /s" "$dir"

klarvik_ratio "$json" "GetFolderSize" "du -sb" "target at most 2.5x"
klarvik_ratio "$json" "dir /s" "GetFolderSize" "target at least 5x"
