#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one for the given number
# of seconds (default 60) on a copy of its seed corpus, so the corpus in the repository stays
# as it is. Prints the executions and the findings of every target and exits non-zero when a
# target left a crash, timeout, leak or out-of-memory file, or stopped for any other reason.
#
#   fuzz/run_fuzzers.sh [seconds-per-target] [target...]
#
# GLYPHERY_FUZZ_PARALLEL=2 runs two targets at a time; GLYPHERY_FUZZ_BUILD_DIR moves the build.
set -euo pipefail

seconds=${1:-60}
shift || true
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLYPHERY_FUZZ_BUILD_DIR:-$here/build-fuzz}
parallel=${GLYPHERY_FUZZ_PARALLEL:-1}
all_targets=(fuzz_specchr fuzz_gph fuzz_call_calculator fuzz_window_place
    fuzz_tap fuzz_psf fuzz_bdf fuzz_png_sheet fuzz_cpc_basic fuzz_snapshot fuzz_screen)
if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all_targets[@]}"); fi

# The largest input a target can use: a 64-set SpecCHR, a gph with a few sets, a tape of a few
# sets, a console font, a short BDF or PNG, a CPC program of a set, a 48K snapshot, a screen,
# short texts.
max_len() {
    case "$1" in
    fuzz_specchr) echo 49152 ;;
    fuzz_gph | fuzz_tap | fuzz_bdf) echo 20000 ;;
    fuzz_cpc_basic) echo 8192 ;;
    fuzz_psf) echo 8192 ;;
    fuzz_png_sheet) echo 4096 ;;
    fuzz_snapshot) echo 50000 ;;
    fuzz_screen) echo 6913 ;;
    *) echo 256 ;;
    esac
}

# Warnings stay warnings here: clang's -Wconversion also warns about signedness, which the
# project's g++ build does not check.
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLYPHERY_FUZZ=ON -DGLYPHERY_WERROR=OFF -DGLYPHERY_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel 2 --target "${targets[@]}"

run_target() {
    local target=$1 work=$build/runs/$1
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/findings"
    cp "$here/fuzz/corpus/$target/"* "$work/corpus/"
    local status=0
    "$build/fuzz/$target" "$work/corpus" -max_total_time="$seconds" \
        -max_len="$(max_len "$target")" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/findings/" >"$work/log" 2>&1 || status=$?
    echo "$status" >"$work/status"
}

pids=()
for target in "${targets[@]}"; do
    run_target "$target" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$parallel" ]; then
        wait "${pids[0]}" || true
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do wait "$pid" || true; done

failed=0
printf '%-22s %14s %9s  %s\n' target executions findings status
for target in "${targets[@]}"; do
    work=$build/runs/$target
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" 2>/dev/null | tail -n 1)
    findings=$(find "$work/findings" -type f 2>/dev/null | wc -l)
    status=$(cat "$work/status" 2>/dev/null || echo 'did not run')
    printf '%-22s %14s %9s  %s\n' "$target" "${executions:-?}" "$findings" "exit $status"
    if [ "$findings" -gt 0 ] || [ "$status" != 0 ]; then
        failed=1
        find "$work/findings" -type f -printf '    finding: %p\n' 2>/dev/null || true
        echo "    log: $work/log"
        grep -m 20 -E 'ERROR|invariant broken|SUMMARY|^ +#[0-9]+ ' "$work/log" 2>/dev/null \
            | sed 's/^/    /' || true
    fi
done
exit "$failed"
