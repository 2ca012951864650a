#!/bin/bash
# Builds the fuzz targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer) in a
# folder of their own and runs each for a few seconds, starting from the seed corpus kept
# beside this script. New inputs go to a temporary folder; a finding (crash, sanitizer
# report, broken property, time-out) is kept in the build folder as crash-<target>-… and
# fails the run.
#   RunFuzz.sh [build folder, default build/fuzz] [seconds per target, default 4]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
build=${1:-$source/build/fuzz}
seconds=${2:-4}
targets=(cp932 fkeytable skeletonfile fontrecord gif jpeg png relativepath recoverycopy)

CXX=clang++ cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
for target in "${targets[@]}"; do
    program=$build/fuzz_$target
    seeds=$here/corpus/$target
    [ -x "$program" ] && [ -d "$seeds" ] || { echo "fuzz_$target: program or seed corpus missing" >&2; exit 1; }
    mkdir "$work/$target"
    if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/crash-$target-" \
        "$work/$target" "$seeds" >"$work/$target.log" 2>&1; then
        echo "fuzz_$target: $(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$work/$target.log") inputs, no finding"
    else
        failed+=("$target")
        echo "fuzz_$target: FINDING" >&2
        grep -v '^#[0-9]' "$work/$target.log" | tail -60 >&2
    fi
done
if ((${#failed[@]})); then
    echo "fuzz: findings in ${failed[*]} (inputs kept in $build)" >&2
    exit 1
fi
