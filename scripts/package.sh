#!/usr/bin/env bash
# Builds the Debian package of HTML Quinkle: an optimised build installed under /usr, packed by
# CPack with the dependencies that dpkg-shlibdeps computes. Builds in build/package and prints
# the package's path; install it with: sudo apt-get install ./build/package/htmquinkle_*.deb
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."

scripts/deps.sh

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD"
fi

cmake -S . -B build/package "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DQUINKLE_BUILD_GUI=ON -DQUINKLE_BUILD_TESTS=OFF \
    -DQUINKLE_BUILD_BENCH=OFF -DQUINKLE_BUILD_FUZZ=OFF -DQUINKLE_SANITIZE=OFF
cmake --build build/package -j2
rm -f build/package/*.deb
(cd build/package && cpack -G DEB >/dev/null)
ls "$PWD"/build/package/*.deb
