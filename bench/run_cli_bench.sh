#!/usr/bin/env bash
# Measures the zpk tool against tar and cp in the same run, on the same machine and cache:
#   extraction of 20,000 resources (~1 GB): zpk extract vs tar -xf vs cp -r
#   listing of 1,000,000 entries:           zpk list    vs tar -tf
# Each command runs RUNS times (default 3), alternating, and the best time counts. The
# inputs are generated once into WORK (default /tmp/zpk-cli-bench) and kept for reruns.
#
#   bash bench/run_cli_bench.sh [BUILD_DIR] [WORK]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
work=${2:-/tmp/zpk-cli-bench}
runs=${RUNS:-3}
zpk=$build/src/cli/zpk
gen=$build/bench/bench_cli_data
for tool in "$zpk" "$gen"; do
  [ -x "$tool" ] || { echo "missing $tool: build the project first" >&2; exit 2; }
done
command -v tar >/dev/null || { echo "tar is missing (tools/install-deps.sh installs it)" >&2; exit 2; }

mkdir -p "$work"
echo "generating inputs in $work (once)..."
"$gen" extract "$work"
[ -f "$work/extract.tar" ] || tar -cf "$work/extract.tar" -C "$work/files" .
"$gen" list "$work"
# Read every input once so that all commands start from a warm page cache.
cat "$work/extract.zpk" "$work/extract.tar" "$work/list.zpk" "$work/list.tar" >/dev/null
tar -cf - -C "$work/files" . >/dev/null

now() { date +%s.%N; }
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }
best() { printf '%s\n' "$@" | sort -g | head -1; }

# Runs "$@" into a fresh, empty folder $work/out and prints the seconds it took.
timed_into_out() {
  rm -rf "$work/out"
  mkdir "$work/out"
  sync
  local start end
  start=$(now)
  "$@"
  end=$(now)
  calc "$end - $start"
}

zpk_x=() tar_x=() cp_x=()
for ((i = 0; i < runs; i++)); do
  zpk_x+=("$(timed_into_out "$zpk" extract -q -C "$work/out" "$work/extract.zpk")")
  count=$(find "$work/out" -type f | wc -l)
  [ "$count" -eq 20000 ] || { echo "zpk extract wrote $count files" >&2; exit 1; }
  tar_x+=("$(timed_into_out tar -xf "$work/extract.tar" -C "$work/out")")
  cp_x+=("$(timed_into_out cp -r "$work/files/." "$work/out")")
done
rm -rf "$work/out"

zpk_l=() tar_l=()
for ((i = 0; i < runs; i++)); do
  start=$(now); "$zpk" list "$work/list.zpk" >/dev/null; end=$(now)
  zpk_l+=("$(calc "$end - $start")")
  start=$(now); tar -tf "$work/list.tar" >/dev/null; end=$(now)
  tar_l+=("$(calc "$end - $start")")
done
lines=$("$zpk" list "$work/list.zpk" | wc -l)
[ "$lines" -eq 1000001 ] || { echo "zpk list printed $lines lines" >&2; exit 1; }

zx=$(best "${zpk_x[@]}") tx=$(best "${tar_x[@]}") cx=$(best "${cp_x[@]}")
zl=$(best "${zpk_l[@]}") tl=$(best "${tar_l[@]}")
size=$(du -sm "$work/files" | cut -f1)
printf 'extract 20,000 files (%s MiB), best of %d:\n' "$size" "$runs"
printf '  zpk extract  %6.2f s\n  tar -xf      %6.2f s   (tar/zpk = %.2f, goal >= 1)\n  cp -r        %6.2f s   (cp/zpk  = %.2f)\n' \
  "$zx" "$tx" "$(calc "$tx / $zx")" "$cx" "$(calc "$cx / $zx")"
printf 'list 1,000,000 entries, best of %d:\n' "$runs"
printf '  zpk list     %6.3f s\n  tar -tf      %6.3f s   (tar/zpk = %.2f, goal >= 5)\n' \
  "$zl" "$tl" "$(calc "$tl / $zl")"
