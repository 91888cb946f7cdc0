#!/usr/bin/env bash
# Build the benchmarks (release) and run them all.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for b in build/release/bench/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b" --benchmark_counters_tabular=true "$@"
done
