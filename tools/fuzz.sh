#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) into ./build-fuzz and runs each on its
# corpus.
#
#   bash tools/fuzz.sh                      every target for 60 s
#   bash tools/fuzz.sh archive_fuzzer       one target
#   FUZZ_SECONDS=3600 FUZZ_RUNS=10000000 bash tools/fuzz.sh archive_fuzzer
#                                           until an hour or ten million runs, what comes first
#
# The corpus of a target, build-fuzz/corpus/<target>, keeps growing across runs; it starts
# from the seeds that make_seeds writes (our own archive writer and sample texts) into
# build-fuzz/seeds/<target>, the archive target's also from the demo installation's archives.
# A finding stops the run with a non-zero status and leaves the input in
# build-fuzz/findings/<target>/; reproduce it with
#   build-fuzz/fuzz/<target> build-fuzz/findings/<target>/crash-...
# and keep it as a regression case in tests/hardening.
# SKIP_BUILD=1 runs what was built before.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:--1}
cxx=${FUZZ_CXX:-clang++-16}

if [ -z "${SKIP_BUILD:-}" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="$cxx" -DZPK_FUZZ=ON \
    -DZPK_BUILD_TESTS=OFF -DZPK_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)" --target fuzzers
fi

targets=("$@")
if ((${#targets[@]} == 0)); then
  for exe in "$build"/fuzz/*_fuzzer; do targets+=("$(basename "$exe")"); done
fi

rm -rf "$build/seeds"
"$build/fuzz/make_seeds" "$build/seeds"
# The demo installation's archives, as the game's would be laid out, are archive seeds too.
demo=$("$build/tools/make_demo" "$build/seeds/demo")
find "$demo" -name '*.zpk' -size -65537c -exec cp {} "$build/seeds/archive_fuzzer/" \;
# Leaks inside the fuzzed code are findings too; ASan reports them at the end of each input.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings" "$build/seeds/$target"
  echo "== $target: ${seconds}s on $corpus"
  if ! "$build/fuzz/$target" -max_len=65536 -timeout=30 -rss_limit_mb=2048 \
      -max_total_time="$seconds" -runs="$runs" -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$build/seeds/$target" 2>"$build/$target.log"; then
    echo "!! $target found a problem; see $build/$target.log and $findings/" >&2
    tail -n 40 "$build/$target.log" >&2
    status=1
    continue
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done ' "$build/$target.log" || true
  echo "   corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $status
