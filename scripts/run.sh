#!/usr/bin/env bash
# Builds the editor (build/release) and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUINKLE_BUILD_GUI=ON -DQUINKLE_BUILD_TESTS=OFF -DQUINKLE_BUILD_BENCH=OFF \
    -DQUINKLE_BUILD_FUZZ=OFF -DQUINKLE_SANITIZE=OFF
cmake --build build/release -j2
exec build/release/src/gui/htmquinkle "$@"
