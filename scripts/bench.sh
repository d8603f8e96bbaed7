#!/usr/bin/env bash
# Builds the benchmarks optimised (build/bench) and runs each of them; arguments go to every
# benchmark program (for example --benchmark_filter=Replace).
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

scripts/deps.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release \
    -DQUINKLE_BUILD_GUI=ON -DQUINKLE_BUILD_TESTS=OFF -DQUINKLE_BUILD_BENCH=ON \
    -DQUINKLE_BUILD_FUZZ=OFF -DQUINKLE_SANITIZE=OFF
cmake --build build/bench -j2

found=0
for program in build/bench/bench/*; do
    if [[ -f "$program" && -x "$program" ]]; then
        found=1
        echo "=== $(basename "$program")"
        "$program" "$@"
    fi
done
if [[ $found -eq 0 ]]; then
    echo "bench: no benchmark programs in bench/ yet"
fi
