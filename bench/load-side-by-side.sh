#!/usr/bin/env bash
# Loads the benchmark document into the editor's store (what SourceEditor::LoadFromFile does,
# into a new editor) beside the floor program bench/helpers/LineStartFloor.cpp (one read into
# one allocation, line starts recorded with memchr), and checks that the load takes at most
# twice the floor's time. Both are timed the same way, in one process: bench/LoadBench.cpp runs
# them as Google Benchmarks over the same file, RUNS repetitions each, and the best repetition
# of each counts. The time compared is CPU time (user and system) of the process, which a busy
# machine disturbs far less than wall time; wall times are printed beside it.
# Usage: bench/load-side-by-side.sh [RUNS]   Exit status 0 when the load is within 2x, else 1.
# Environment: QUINKLE_BENCH_MB (document size, default 20), QUINKLE_SIDE_BUILD (build folder,
# default build/bench), QUINKLE_LOAD_BENCH (a LoadBench already built: skips the build).
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${QUINKLE_SIDE_BUILD:-$ROOT/build/bench}"
RUNS="${1:-5}"
LIMIT=2.0

need() { command -v "$1" > /dev/null 2>&1; }
install_missing() {
    local packages=()
    need g++ || packages+=(g++)
    need cmake || packages+=(cmake)
    need make || packages+=(make)
    [[ -e /usr/include/benchmark/benchmark.h ]] || packages+=(libbenchmark-dev)
    if ((${#packages[@]})); then
        echo "Installing ${packages[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${packages[@]}" > /dev/null
    fi
}
install_missing

mkdir -p "$BUILD"
LOADBENCH="${QUINKLE_LOAD_BENCH:-}"
if [[ -z "$LOADBENCH" ]]; then
    echo "Building the Release load benchmark in $BUILD"
    if ! { cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DQUINKLE_BUILD_GUI=OFF \
        -DQUINKLE_BUILD_TESTS=OFF -DQUINKLE_BUILD_BENCH=ON -DQUINKLE_BUILD_FUZZ=OFF \
        -DQUINKLE_SANITIZE=OFF && cmake --build "$BUILD" --target bench_LoadBench -j2; } \
        > "$BUILD/build.log" 2>&1; then
        tail -30 "$BUILD/build.log"
        exit 1
    fi
    LOADBENCH="$BUILD/bench/LoadBench"
fi
g++ -O2 -std=c++20 -o "$BUILD/WriteBenchDocument" "$ROOT/bench/helpers/WriteBenchDocument.cpp"
g++ -O2 -std=c++20 -o "$BUILD/LineStartFloor" "$ROOT/bench/helpers/LineStartFloor.cpp"

DOC="$BUILD/load-document.html"
"$BUILD/WriteBenchDocument" "$DOC"
BYTES=$(stat -c %s "$DOC")
echo "Document: $DOC, $BYTES bytes, $("$BUILD/LineStartFloor" "$DOC") lines (CR LF line ends)"
echo "Best of $RUNS repetitions each, timed in one process"
echo

OUT="$BUILD/load-side-by-side.out"
QUINKLE_LOAD_FILE="$DOC" "$LOADBENCH" --benchmark_filter='^BM_(FloorLineStarts|LoadIntoStore)$' \
    --benchmark_repetitions="$RUNS" --benchmark_color=false > "$OUT" 2>&1

# The best (smallest) CPU and wall time in ms of one benchmark's repetitions, from lines such
# as "BM_LoadIntoStore   93.9 ms   14.7 ms   59 ...".
best() {
    awk -v name="$1" '$1 == name && $3 == "ms" && $5 == "ms" {
        if (cpu == "" || $4 < cpu) cpu = $4
        if (wall == "" || $2 < wall) wall = $2
    } END { printf "%.2f %.2f", cpu, wall }' "$OUT"
}
read -r floorCpu floorWall <<< "$(best BM_FloorLineStarts)"
read -r loadCpu loadWall <<< "$(best BM_LoadIntoStore)"
if [[ -z "$floorCpu" || -z "$loadCpu" || "$floorCpu" == "0.00" ]]; then
    echo "The benchmark gave no times; see $OUT"
    exit 1
fi
printf '  %-34s %8s ms CPU  %8s ms wall\n' "floor: read + memchr line starts" "$floorCpu" "$floorWall"
printf '  %-34s %8s ms CPU  %8s ms wall\n' "LoadFromFile into the store" "$loadCpu" "$loadWall"
RATIO=$(awk -v a="$loadCpu" -v b="$floorCpu" 'BEGIN { printf "%.2f", a / b }')
echo
if awk -v r="$RATIO" -v l="$LIMIT" 'BEGIN { exit !(r <= l) }'; then
    echo "ratio ${RATIO}x (limit ${LIMIT}x): PASS"
else
    SHORT=$(awk -v a="$loadCpu" -v b="$floorCpu" -v l="$LIMIT" 'BEGIN { printf "%.2f", a - l * b }')
    echo "ratio ${RATIO}x (limit ${LIMIT}x): FAIL, ${SHORT} ms over the limit"
    exit 1
fi
