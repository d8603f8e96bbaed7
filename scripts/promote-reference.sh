#!/bin/sh
# Accepts reviewed reference output: every <case>.expected.new under tests/data/ replaces its
# <case>.expected. Shows each diff first; pass -y to skip the question.
set -eu
cd "$(dirname "$0")/.."
yes=${1:-}
found=0
for new in $(find tests/data -name '*.expected.new' | sort); do
    found=1
    expected=${new%.new}
    diff -u "$expected" "$new" 2>/dev/null || true
    if [ "$yes" != "-y" ]; then
        printf 'Promote %s? [y/N] ' "$new"
        read -r answer
        [ "$answer" = "y" ] || continue
    fi
    mv "$new" "$expected"
    echo "promoted $expected"
done
[ "$found" = 1 ] || echo "nothing to promote"
