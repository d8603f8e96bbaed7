#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test HTML Quinkle; installs nothing
# (and asks apt nothing) when all of them are already there.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev libqt6printsupport6 libgl-dev fonts-liberation tidy
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    xvfb poppler-utils
    libcurl4-openssl-dev openssl
    pandoc libreoffice-writer-nogui
    desktop-file-utils appstream dpkg-dev fakeroot groff-base
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "installed" ]]; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "deps: installing ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
