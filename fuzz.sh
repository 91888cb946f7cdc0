#!/usr/bin/env bash
# Builds the fuzz targets in fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60).
#   ./fuzz.sh [SECONDS] [TARGET...]     e.g. ./fuzz.sh 300 site_file hex_file
# New inputs that grow coverage collect in build/fuzz/corpus/TARGET; an input
# that makes a target fail is saved in fuzz/crashes/TARGET/, where the normal
# test run (ctest) replays it until the fault is mended. Exit status 1 when
# any target found something.
set -euo pipefail
cd "$(dirname "$0")"

seconds=${1:-60}
shift || true

scripts/install-deps.sh
if ! command -v clang++ >/dev/null; then
    if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends clang
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DM720_SANITIZE=ON -DM720_FUZZ=ON >/dev/null
cmake --build build/fuzz --target m720_fuzzers

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for f in fuzz/fuzz_*.cpp; do
        n=${f#fuzz/fuzz_}
        targets+=("${n%.cpp}")
    done
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
summary=()
for t in "${targets[@]}"; do
    work=build/fuzz/corpus/$t
    crashes=fuzz/crashes/$t
    log=build/fuzz/$t.log
    mkdir -p "$work" "$crashes"
    before=$(find "$crashes" -type f ! -name '.*' | wc -l)
    echo "== $t: $seconds s" >&2
    set +e
    "build/fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$work" "fuzz/corpus/$t" >"$log" 2>&1
    rc=$?
    set -e
    after=$(find "$crashes" -type f ! -name '.*' | wc -l)
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    findings=$((after - before))
    summary+=("$(printf '%-14s %12s execs  %d findings  (exit %d, log %s)' "$t" "${execs:-?}" \
        "$findings" "$rc" "$log")")
    if [ "$rc" -ne 0 ] || [ "$findings" -ne 0 ]; then
        status=1
    fi
done
printf '%s\n' "${summary[@]}"
exit $status
