#!/usr/bin/env bash
# Builds HTML Quinkle and runs every test: the sanitizer build (build/test) with the unit, GUI
# and benchmark smoke tests plus the format check, then the fuzz build (build/fuzz) with a
# short run of every fuzzer. Exits non-zero if anything fails.
set -uo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

failed_steps=()
tests_passed=0
tests_failed=0

step() {
    echo
    echo "=== $*"
}

die() {
    echo "test.sh: $*" >&2
    exit 1
}

# Runs ctest in the build folder $1 and adds its counts to the totals.
run_ctest() {
    local log
    log=$(mktemp)
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j2 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    local summary
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [[ $summary =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        tests_failed=$((tests_failed + BASH_REMATCH[1]))
        tests_passed=$((tests_passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    fi
    return "$status"
}

# Lists every source file that clang-format would change.
check_format() {
    local unformatted=()
    local file
    while IFS= read -r -d '' file; do
        if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
            unformatted+=("$file")
        fi
    done < <(find src tests bench fuzz tools \
        \( -path tests/data -o -path fuzz/corpus \) -prune -o \
        -type f \( -name '*.h' -o -name '*.cpp' \) -print0 2>/dev/null | sort -z)
    if [[ ${#unformatted[@]} -gt 0 ]]; then
        echo "These files need formatting (clang-format -i FILE...):"
        printf '  %s\n' "${unformatted[@]}"
        return 1
    fi
    echo "All sources are formatted."
}

step "Installing what is missing"
scripts/deps.sh || die "could not install the build dependencies"

# A compiler cache, where one is installed, makes rebuilds of unchanged files quick; paths are
# taken relative to this checkout so that other checkouts share the cache.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD"
fi

step "Building build/test (Debug, address and undefined-behaviour sanitizers)"
cmake -S . -B build/test "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DQUINKLE_SANITIZE=ON \
    -DQUINKLE_BUILD_GUI=ON -DQUINKLE_BUILD_TESTS=ON -DQUINKLE_BUILD_BENCH=ON \
    -DQUINKLE_BUILD_FUZZ=OFF || die "configuring build/test failed"
cmake --build build/test -j2 || die "building build/test failed"

step "Checking the format"
check_format || failed_steps+=("format check")

step "Running the tests"
run_ctest build/test || failed_steps+=("tests in build/test")

if compgen -G "fuzz/*.cpp" >/dev/null; then
    step "Building build/fuzz (clang, libFuzzer)"
    # Optimised but with assertions left in, so the fuzzers also trip the engine's asserts.
    CC=clang CXX=clang++ cmake -S . -B build/fuzz "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" -DQUINKLE_BUILD_FUZZ=ON \
        -DQUINKLE_BUILD_GUI=OFF -DQUINKLE_BUILD_TESTS=OFF -DQUINKLE_BUILD_BENCH=OFF \
        -DQUINKLE_SANITIZE=OFF || die "configuring build/fuzz failed"
    cmake --build build/fuzz -j2 || die "building build/fuzz failed"

    step "Running every fuzzer briefly"
    run_ctest build/fuzz || failed_steps+=("short fuzz runs")
else
    step "No fuzz targets yet; skipping build/fuzz"
fi

echo
for failed_step in "${failed_steps[@]}"; do
    echo "FAILED: $failed_step"
done
echo "tests: $tests_passed passed, $tests_failed failed"
[[ ${#failed_steps[@]} -eq 0 ]]
