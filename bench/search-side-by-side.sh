#!/usr/bin/env bash
# Runs the editor's search engine (quinkle-find) beside GNU grep, pcre2grep without and with its
# JIT and a small std::regex program over the same benchmark document, process against process,
# and prints MB/s and ratios. For the expressions marked as targets it prints whether
# quinkle-find is at least as fast as pcre2grep with its JIT ("PASS" or "MISSED: 0.82x"), and
# ends with "PASS" (exit status 0) when it is for all of them, "FAIL" (exit status 1) when not.
# Usage: bench/search-side-by-side.sh [RUNS]
# Environment: QUINKLE_BENCH_MB (document size, default 20), QUINKLE_SIDE_BUILD (build folder,
# default build/bench), QUINKLE_FIND (a quinkle-find already built: skips the build).
set -euo pipefail
# quinkle-find's arguments are split on spaces; their brackets must not expand as file names.
set -f

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${QUINKLE_SIDE_BUILD:-$ROOT/build/bench}"
RUNS="${1:-3}"

need() { command -v "$1" > /dev/null 2>&1; }
install_missing() {
    local packages=()
    need pcre2grep || packages+=(pcre2-utils)
    need grep || packages+=(grep)
    need g++ || packages+=(g++)
    need cmake || packages+=(cmake)
    need make || packages+=(make)
    if ((${#packages[@]})); then
        echo "Installing ${packages[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${packages[@]}" > /dev/null
    fi
}
install_missing

mkdir -p "$BUILD"
FIND="${QUINKLE_FIND:-}"
if [[ -z "$FIND" ]]; then
    echo "Building the Release search tool in $BUILD"
    if ! { cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DQUINKLE_BUILD_GUI=OFF \
        -DQUINKLE_BUILD_TESTS=OFF -DQUINKLE_BUILD_BENCH=OFF -DQUINKLE_BUILD_FUZZ=OFF &&
        cmake --build "$BUILD" --target quinkle-find -j2; } > "$BUILD/build.log" 2>&1; then
        tail -30 "$BUILD/build.log"
        exit 1
    fi
    FIND="$BUILD/tools/quinkle-find"
fi
g++ -O2 -std=c++20 -o "$BUILD/StdRegexCount" "$ROOT/bench/helpers/StdRegexCount.cpp"
g++ -O2 -std=c++20 -o "$BUILD/WriteBenchDocument" "$ROOT/bench/helpers/WriteBenchDocument.cpp"

DOC="$BUILD/search-document.html"
"$BUILD/WriteBenchDocument" "$DOC"
BYTES=$(stat -c %s "$DOC")
echo "Document: $DOC, $BYTES bytes (CR LF line ends), best of $RUNS runs each"
echo

# Best wall time in seconds of a command over RUNS runs; its output goes to $OUT.
OUT="$BUILD/side-by-side.out"
best_time() {
    local best="" start end elapsed
    for ((i = 0; i < RUNS; i++)); do
        start=$(date +%s%N)
        "$@" > "$OUT" 2> /dev/null || true
        end=$(date +%s%N)
        elapsed=$(((end - start) / 1000))
        if [[ -z "$best" || "$elapsed" -lt "$best" ]]; then best=$elapsed; fi
    done
    awk -v us="$best" 'BEGIN { printf "%.4f", us / 1e6 }'
}
mbps() { awk -v b="$BYTES" -v s="$1" 'BEGIN { printf "%.0f", (s > 0 ? b / 1048576 / s : 0) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (a > 0 ? b / a : 0) }'; }

# One comparison: a name, quinkle-find's arguments, the grep mode (-F or -E) and pattern, the
# pcre2 pattern, the std::regex pattern, and "target" when quinkle-find must be at least as fast
# as pcre2grep with its JIT. The editor's syntax differs in two points: a double quote opens a
# quoted run, so a literal one is written \", and there is no word-boundary escape (the
# whole-words option -w stands in for \b...\b).
TARGETS=0
MISSED=0
compare() {
    local name="$1" ours="$2" grepMode="$3" grepPattern="$4" pcrePattern="$5" stdPattern="$6"
    local target="${7:-}"
    local tOurs tGrep tPcre tJit tStd nOurs nGrep nGrepLines nPcre nJit nStd
    # shellcheck disable=SC2086
    tOurs=$(best_time "$FIND" --count -c $ours "$DOC"); nOurs=$(cat "$OUT")
    tGrep=$(best_time grep "$grepMode" -c -- "$grepPattern" "$DOC"); nGrepLines=$(cat "$OUT")
    nGrep=$(grep "$grepMode" -o -- "$grepPattern" "$DOC" | wc -l)
    tPcre=$(best_time pcre2grep --no-jit -c -- "$pcrePattern" "$DOC"); nPcre=$(cat "$OUT")
    tJit=$(best_time pcre2grep -c -- "$pcrePattern" "$DOC"); nJit=$(cat "$OUT")
    tStd=$(best_time "$BUILD/StdRegexCount" "$stdPattern" "$DOC"); nStd=$(cat "$OUT")
    printf '%s\n' "$name"
    printf '  %-22s %8s s %7s MB/s  %8s matches\n' "quinkle-find" "$tOurs" "$(mbps "$tOurs")" "$nOurs"
    printf '  %-22s %8s s %7s MB/s  %8s lines (%s matches by -o | wc -l)  ours %sx faster\n' \
        "grep $grepMode -c" "$tGrep" "$(mbps "$tGrep")" "$nGrepLines" "$nGrep" "$(ratio "$tOurs" "$tGrep")"
    printf '  %-22s %8s s %7s MB/s  %8s lines  ours %sx faster\n' \
        "pcre2grep --no-jit -c" "$tPcre" "$(mbps "$tPcre")" "$nPcre" "$(ratio "$tOurs" "$tPcre")"
    printf '  %-22s %8s s %7s MB/s  %8s lines  ours %sx faster\n' \
        "pcre2grep -c (JIT)" "$tJit" "$(mbps "$tJit")" "$nJit" "$(ratio "$tOurs" "$tJit")"
    printf '  %-22s %8s s %7s MB/s  %8s matches  ours %sx faster\n' \
        "std::regex" "$tStd" "$(mbps "$tStd")" "$nStd" "$(ratio "$tOurs" "$tStd")"
    if [[ "$target" == target ]]; then
        TARGETS=$((TARGETS + 1))
        local speed
        speed=$(ratio "$tOurs" "$tJit")
        if awk -v a="$tOurs" -v b="$tJit" 'BEGIN { exit !(a <= b) }'; then
            printf '  target (at least as fast as pcre2grep with JIT): PASS (%sx)\n' "$speed"
        else
            MISSED=$((MISSED + 1))
            printf '  target (at least as fast as pcre2grep with JIT): MISSED: %sx\n' "$speed"
        fi
    fi
}

echo "Times include starting the process and reading the file. grep and pcre2grep count lines"
echo "with a match (-c); quinkle-find and std::regex count matches. Our expressions may also"
echo "match across line ends, the line-based tools cannot; counts can differ for that reason."
echo
compare "literal word \"function\" (ours: plain search)" "function" -F "function" "function" "function"
compare "literal word \"function\" (ours: expression)" "-e function" -F "function" "function" "function"
compare '<td[^>]*>' "-e <td[^>]*>" -E '<td[^>]*>' '<td[^>]*>' '<td[^>]*>' target
compare 'href="[^"]*\.html"' '-e href=\"[^"]*\.html\"' -E 'href="[^"]*\.html"' 'href="[^"]*\.html"' 'href="[^"]*\.html"' target
compare '(class|id)="[a-z]+"' '-e (class|id)=\"[a-z]+\"' -E '(class|id)="[a-z]+"' '(class|id)="[a-z]+"' '(class|id)="[a-z]+"' target
compare '[0-9]{4}-[0-9]{2}' '-e [0-9]{4}-[0-9]{2}' -E '[0-9]{4}-[0-9]{2}' '[0-9]{4}-[0-9]{2}' '[0-9]{4}-[0-9]{2}' target
compare '\bclass\b (ours: -w -e class)' '-w -e class' -E '\bclass\b' '\bclass\b' '\bclass\b' target
echo
if ((MISSED == 0)); then
    echo "PASS"
    exit 0
fi
echo "$MISSED of $TARGETS targets missed"
echo "FAIL"
exit 1
